#include "dialogs/controls/TColorPane.h"

#include <qdrawutil.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/controls/TColorPaneFloatWindow.h"
#include "display/markup/QtColor.h"

namespace lumivane {

TColorPane::TColorPane(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  resize(sizeHint());
}

TColorPane::~TColorPane() {
  // The palette goes first, while the pane it reports to is still whole.
  delete floatWindow_.data();
}

void TColorPane::SetColor(lumivane::Color color) {
  if (color == color_) return;
  color_ = color;
  update();
  if (OnChange) OnChange(this);
}

QPoint TColorPane::PalettePosition() const {
  switch (alignment_) {
    case TColorPaneAlignment::Left:
      return mapToGlobal(QPoint(0, 0)) - QPoint(kPaletteWidth, 0);
    case TColorPaneAlignment::Right:
      return mapToGlobal(QPoint(width(), 0));
    case TColorPaneAlignment::Center:
      break;
  }
  return mapToGlobal(QPoint(0, height()));
}

void TColorPane::OpenPalette() {
  if (floatWindow_ || !isEnabled()) return;
  floatWindow_ = new TColorPaneFloatWindow(this);
  floatWindow_->Popup(PalettePosition());
}

void TColorPane::PaletteClosed(TColorPaneFloatWindow* window) {
  if (floatWindow_ == window) floatWindow_ = nullptr;
  window->deleteLater();
}

void TColorPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush fill(isEnabled() ? ToQColor(color_, palette())
                                : palette().color(QPalette::Active, QPalette::Button));
  // One pixel sunken: shadow at the top and left, highlight at the right and bottom.
  qDrawShadePanel(&painter, rect(), palette(), true, 1, &fill);
}

void TColorPane::mousePressEvent(QMouseEvent* event) {
  event->accept();
  setFocus(Qt::MouseFocusReason);
  OpenPalette();
}

void TColorPane::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      OpenPalette();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace lumivane
