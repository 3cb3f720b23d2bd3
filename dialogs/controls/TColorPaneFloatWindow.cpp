#include "dialogs/controls/TColorPaneFloatWindow.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>

#include "dialogs/controls/TColorPane.h"
#include "display/markup/QtColor.h"
#include "platform/Composition.h"

namespace lumivane {

namespace {

constexpr int kSwatchInset = 3;

QRect ToQRect(const PaletteRect& r) {
  return {r.left, r.top, r.width, r.height};
}

}  // namespace

TColorPaneFloatWindow::TColorPaneFloatWindow(TColorPane* pane)
    : QWidget(pane, Qt::Popup | Qt::FramelessWindowHint),
      pane_(pane),
      mark_(MarkOfColor(pane->Color())) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(kPaletteWidth, kPaletteHeight);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  setAutoFillBackground(true);
}

void TColorPaneFloatWindow::SetMark(PaletteMark mark) {
  if (mark == mark_) return;
  mark_ = mark;
  update();
}

int TColorPaneFloatWindow::FadeDuration() {
  const int delay = QApplication::style()->styleHint(QStyle::SH_Menu_SubMenuPopupDelay);
  return delay > 0 ? delay : 400;
}

void TColorPaneFloatWindow::Popup(QPoint topLeft) {
  // A palette that would leave the screen is moved inside it.
  if (const QScreen* screen =
          QApplication::screenAt(topLeft) ? QApplication::screenAt(topLeft) : pane_->screen()) {
    const QRect area = screen->geometry();
    topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - kPaletteWidth)));
    topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - kPaletteHeight)));
  }
  move(topLeft);
  if (CompositionEnabled()) {
    // Qt's one animation driver raises the opacity of every fading palette.
    setWindowOpacity(0.0);
    fade_ = new QPropertyAnimation(this, "windowOpacity", this);
    fade_->setStartValue(0.0);
    fade_->setEndValue(1.0);
    fade_->setDuration(FadeDuration());
    fade_->setEasingCurve(QEasingCurve::Linear);
  }
  show();
  setFocus(Qt::PopupFocusReason);
  if (fade_) fade_->start();
}

void TColorPaneFloatWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  qDrawWinPanel(&painter, rect(), colours, false);
  const QColor frame = colours.color(QPalette::Active, QPalette::Dark);
  for (int row = 0; row < kPaletteColorRows; ++row) {
    for (int column = 0; column < kPaletteColumns; ++column) {
      const PaletteMark cell{row, column};
      const QRect swatch = ToQRect(MarkRect(cell))
                               .adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
      painter.fillRect(swatch, ToQColor(cell.CellColor(), colours));
      painter.setPen(frame);
      painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
  }
  painter.setPen(colours.color(QPalette::Active, QPalette::ButtonText));
  painter.drawText(ToQRect(MarkRect({kPaletteColorRows, 0})), Qt::AlignCenter, tr("Default"));
  painter.drawText(ToQRect(MarkRect({kPaletteColorRows, kPaletteColumns - 1})), Qt::AlignCenter,
                   tr("Other Color"));
  // The mark: raised, sunken while a button is held.
  qDrawShadePanel(&painter, ToQRect(MarkRect(mark_)), colours, pressed_, 1);
}

void TColorPaneFloatWindow::MarkPoint(QPoint point) {
  if (const std::optional<PaletteMark> mark = MarkAt(point.x(), point.y())) SetMark(*mark);
}

void TColorPaneFloatWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (!rect().contains(point)) {
    // A press on the swatch only closes: replayed, it would open the palette again.
    if (pane_->rect().contains(pane_->mapFromGlobal(event->globalPosition().toPoint()))) {
      setAttribute(Qt::WA_NoMouseReplay);
    }
    close();
    return;
  }
  pressed_ = true;
  MarkPoint(point);
  update();
}

void TColorPaneFloatWindow::mouseMoveEvent(QMouseEvent* event) {
  MarkPoint(event->position().toPoint());
}

void TColorPaneFloatWindow::mouseReleaseEvent(QMouseEvent* event) {
  pressed_ = false;
  update();
  const QPoint point = event->position().toPoint();
  if (!rect().contains(point)) return;  // the release of the press that opened it
  const std::optional<PaletteMark> mark = MarkAt(point.x(), point.y());
  if (!mark) return;
  mark_ = *mark;
  Choose();
}

void TColorPaneFloatWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      SetMark(MoveMark(mark_, MarkMove::Left));
      break;
    case Qt::Key_Right:
      SetMark(MoveMark(mark_, MarkMove::Right));
      break;
    case Qt::Key_Up:
      SetMark(MoveMark(mark_, MarkMove::Up));
      break;
    case Qt::Key_Down:
      SetMark(MoveMark(mark_, MarkMove::Down));
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      Choose();
      break;
    case Qt::Key_Escape:
      close();
      break;
    default:
      event->ignore();
      return;
  }
  event->accept();
}

void TColorPaneFloatWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (fade_) fade_->stop();
  pane_->PaletteClosed(this);
}

void TColorPaneFloatWindow::Choose() {
  // The palette closes first: a handler may open a dialog of its own.
  const PaletteMark mark = mark_;
  TColorPane* pane = pane_;
  close();
  switch (mark.Item()) {
    case PaletteItem::Color:
      pane->SetColor(mark.CellColor());
      break;
    case PaletteItem::Default:
      if (pane->OnClickDefault) pane->OnClickDefault(pane);
      break;
    case PaletteItem::OtherColor:
      if (pane->OnClickOtherBtn) pane->OnClickOtherBtn(pane);
      break;
  }
}

}  // namespace lumivane
