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

void TFrmLumivane::SetClientSize(int width, int height) {
  // Never taller than the work area of the window's monitor: the display's
  // lines below are cut off where the window ends.
  const QScreen* screen = QGuiApplication::screenAt(geometry().center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) height = std::min(height, screen->availableGeometry().height());
  if (screen) width = std::min(width, screen->availableGeometry().width());
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
