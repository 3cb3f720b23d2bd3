// The main window as a refresh sees it, and the refresh itself.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>

#include "app/FullScreenRule.h"
#include "app/LabelRefreshAdapter.h"
#include "app/TCoolTrayIcon.h"
#include "app/TFrmLumivane.h"
#include "base/Clock.h"
#include "display/markup/THTMLabel.h"
#include "outlook/TOutlookApplication.h"
#include "platform/AppMessageBox.h"
#include "platform/DesktopWindow.h"
#include "platform/SeeThrough.h"
#include "platform/X11.h"

namespace lumivane {

bool TFrmLumivane::RefreshDisplay() {
  if (!labelAdapter_) labelAdapter_ = std::make_unique<LabelRefreshAdapter>(*LabelDisplay);
  try {
    if (lumivane::RefreshDisplay(*this, *labelAdapter_,
                                 RefreshServices{*OutlookApplication1, settings, Language1,
                                                 formats_, [] { return Now(); }})) {
      UpdateSeeThrough();
      return true;
    }
  } catch (const std::exception& e) {
    // The refresh has cleaned up; the program goes on and says so in the
    // display itself, never with an empty or unpainted window.
    ShowRefreshError(e.what());
    ShowApplicationError(QString::fromStdString(e.what()));
  }
  return false;
}

void TFrmLumivane::ShowRefreshError(const std::string& error) {
  ShowRefreshFailure(*this, *labelAdapter_, settings, options_.storePath);
  SetTrayHint("Lumivane\n" + error);
  UpdateSeeThrough();
}

bool TFrmLumivane::FullScreenAppActive() {
  return lumivane::FullScreenAppActive(ActiveWindowRect(), PrimaryScreenRect());
}

void TFrmLumivane::SetBusyCursor(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

void TFrmLumivane::SetLeft(int left) {
  MoveWindowTo(QRect(QPoint(left, y()), size()));
}

int TFrmLumivane::MaxClientHeight() const {
  const QScreen* screen = ScreenOf(geometry());
  return screen ? screen->availableGeometry().height() : 0;
}

void TFrmLumivane::SetClientSize(int width, int height) {
  // Never larger than the work area of the window's monitor (the refresh
  // has cut the display's lines to it; a single wide line is cut at the edge).
  if (const QScreen* screen = ScreenOf(geometry())) {
    height = std::min(height, screen->availableGeometry().height());
    width = std::min(width, screen->availableGeometry().width());
  }
  MoveWindowTo(QRect(pos(), QSize(width, std::max(height, 1))));
}

void TFrmLumivane::LockUpdates(bool locked) {
  setUpdatesEnabled(!locked);
}

void TFrmLumivane::SetRefreshEnabled(bool enabled) {
  Refresh1->setEnabled(enabled);
}

void TFrmLumivane::SetTrayPicture(int index) {
  CoolTrayIcon1->SetIconIndex(index);
}

void TFrmLumivane::SetTrayHint(const std::string& hint) {
  CoolTrayIcon1->SetHint(QString::fromStdString(hint));
}

void TFrmLumivane::ReportReadProblems(const std::vector<std::string>& problems) {
  QString text;
  for (const std::string& problem : problems) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += QString::fromStdString(problem);
  }
  // Shown once the refresh has ended and the window shows the rest; the
  // error report keeps to one box at a time.
  QMetaObject::invokeMethod(
      this, [text] { ShowApplicationError(text); }, Qt::QueuedConnection);
}

int TFrmLumivane::ScreenBitsPerPixel() const {
  return x11::RootPixmapBitsPerPixel();
}

void TFrmLumivane::SetAlphaLevel(int alpha) {
  seeThrough_->SetAlpha(alpha);
}

void TFrmLumivane::UpdateSeeThrough() {
  // The shape follows what the display shows; recomputed only when it changed.
  seeThrough_->PictureChanged(grab().toImage());
}

}  // namespace lumivane
