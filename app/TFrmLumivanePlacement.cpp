// The window's place on the desktop: attachment, the pin timer, the
// see-through background, edge snapping, dragging, hiding and the saved
// position.
#include <QAction>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "app/DisplayLabelSetup.h"
#include "app/EdgeSnapping.h"
#include "app/TFrmLumivane.h"
#include "display/markup/THTMLabel.h"
#include "platform/AppMessageBox.h"
#include "platform/DesktopWindow.h"
#include "platform/SeeThrough.h"

namespace lumivane {
namespace {

// Each monitor (a RandR monitor is a screen to Qt) with its work area.
std::vector<QRect> Monitors() {
  std::vector<QRect> monitors;
  for (const QScreen* screen : QGuiApplication::screens()) monitors.push_back(screen->geometry());
  return monitors;
}

// The work area of the window's monitor; empty without a screen.
QRect WorkArea(const QRect& window) {
  const QScreen* screen = TFrmLumivane::ScreenOf(window);
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

const QScreen* TFrmLumivane::ScreenOf(const QRect& window) {
  const int index = MonitorOf(window, Monitors());
  return index < 0 ? nullptr : QGuiApplication::screens()[index];
}

void TFrmLumivane::AttachToDesktop() {
  if (PinnedMode) {
    desk_->AttachForPinning();
    MoveWindowTo(QRect(QPoint(0, 0), size()));
  } else {
    desk_->AttachToDesktop();
  }
  Timer2->start();
}

void TFrmLumivane::Timer2Timer() {
  // The window's real state, whatever happened since the last tick (a
  // workspace switch, a window closed, the window hidden and shown).
  if (PinnedMode && hiddenTag_ == 1) {
    pinState = IsRaisedOverDesktop(this) ? PinState::OnTop : PinState::AtBottom;
  }
  // A click on the raised display makes it the active window: that is the
  // user at the desktop, and dropping the window then would close its menu.
  if (PinnedMode && pinState == PinState::OnTop && OwnWindowActive()) return;
  const PinStep step = PinTick(PinnedMode, pinState, PinnedMode && DesktopInFront());
  pinState = step.state;
  switch (step.action) {
    case PinAction::StopTimer:
      Timer2->stop();
      break;
    case PinAction::Raise:
      // A window the user hid stays hidden.
      if (hiddenTag_ == 1) RaiseOverDesktop(this);
      break;
    case PinAction::Drop:
      if (hiddenTag_ == 1) DropAmongWindows(this);
      break;
    case PinAction::None:
      break;
  }
}

void TFrmLumivane::ApplyBackgroundColor() {
  const Color key = settings.BackGroundColor;
  seeThrough_->SetKeyColor(BackgroundKeyColor(settings));
  // On the translucent path the label leaves its background unpainted.
  LabelDisplay->SetColor(key);
  LabelDisplay->SetTransparent(seeThrough_->Translucent());
}

void TFrmLumivane::MoveWindowTo(const QRect& proposed) {
  SnapConditions when;
  when.snapToDesktop = settings.SnapToDesktop;
  when.ctrlDown = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
  when.restoringPosition = RestoringPosition;
  const QRect snapped = SnapToWorkArea(proposed, WorkArea(proposed), when);
  if (snapped != geometry()) setGeometry(snapped);
}

void TFrmLumivane::LabelDisplayMouseDown(Qt::MouseButton button, const QPoint& pos) {
  // The right button opens the menu; a locked window does not move.
  if (button != Qt::LeftButton || LockWindow1->isChecked()) return;
  dragging_ = true;
  dragOffset_ = LabelDisplay->mapTo(this, pos);
}

bool TFrmLumivane::eventFilter(QObject* watched, QEvent* e) {
  if (watched == LabelDisplay && dragging_) {
    if (e->type() == QEvent::MouseMove) {
      const auto* move = static_cast<QMouseEvent*>(e);
      // The release went elsewhere (a menu or a box took the pointer): the
      // drag has ended, the window does not follow a pointer without button.
      if (!(move->buttons() & Qt::LeftButton)) {
        dragging_ = false;
        return QWidget::eventFilter(watched, e);
      }
      MoveWindowTo(QRect(move->globalPosition().toPoint() - dragOffset_, size()));
    } else if (e->type() == QEvent::MouseButtonRelease) {
      dragging_ = false;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void TFrmLumivane::RestoreWindowPosition() {
  const RegistryFile store = ReadSettingsFile(options_.settingsPath);
  const int top = static_cast<std::int32_t>(store.ReadDword("WindowTop").value_or(1));
  int left = static_cast<std::int32_t>(store.ReadDword("WindowLeft").value_or(1));
  MoveWindowTo(QRect(QPoint(x(), top), size()));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int virtualWidth = screen ? screen->virtualGeometry().width() : 0;
  if (virtualWidth > 0 && left + width() > virtualWidth) left = virtualWidth - width();
  // A position on no monitor at all (one that was unplugged) comes back onto
  // the nearest one.
  const QRect wanted(QPoint(left, top), size());
  QRect placed = BringOnto(wanted, Monitors(), WorkArea(wanted));
  // As high as the work area at most, the window shows its last line (what
  // was left out) when its bottom would lie below the work area.
  const QRect area = WorkArea(placed);
  if (!area.isEmpty() && placed.bottom() > area.bottom() && placed.height() <= area.height()) {
    placed.moveBottom(area.bottom());
  }
  MoveWindowTo(placed);
}

void TFrmLumivane::SaveWindowPosition() {
  try {
    // Our own write, not an edit to take over.
    settingsSeen_ = WriteWindowPosition(options_.settingsPath, y(), x());
  } catch (const std::exception& e) {
    ShowApplicationError(QString::fromStdString(e.what()));
  }
}

void TFrmLumivane::LockWindow1Click() {
  if (LockWindow1->isChecked()) SaveWindowPosition();
}

void TFrmLumivane::RestorePosition1Click() {
  // The corner of the monitor the window is on.
  const QRect area = WorkArea(geometry());
  MoveWindowTo(QRect(QPoint(area.x() + 1, y()), size()));
  MoveWindowTo(QRect(QPoint(x(), area.y() + 1), size()));
  RefreshDisplay();
}

void TFrmLumivane::H1Click() {
  if (hiddenTag_ == 1) {
    hiddenTag_ = 0;
    hide();
    H1->setText(QStringLiteral("Show Desktop Window"));
  } else {
    ShowDesktopWindow();
  }
}

void TFrmLumivane::ShowDesktopWindow() {
  hiddenTag_ = 1;
  showNormal();
  raise();
  H1->setText(QStringLiteral("Hide Desktop Window"));
}

}  // namespace lumivane
