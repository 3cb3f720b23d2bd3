#pragma once
// The colour pane's palette window: a popup of 158 x 122 pixels that holds
// the mouse and keyboard while it is open. A press outside it closes it; when
// that press lands on another window of the program it is replayed there, so
// the click still takes effect (a press on the pane's own swatch is not).
#include <QWidget>

#include "dialogs/controls/ColorPalette.h"

class QPropertyAnimation;

namespace lumivane {

class TColorPane;

class TColorPaneFloatWindow : public QWidget {
  Q_OBJECT

 public:
  // Marks the pane's colour (or "Default"); shown by Popup.
  explicit TColorPaneFloatWindow(TColorPane* pane);

  PaletteMark Mark() const { return mark_; }
  void SetMark(PaletteMark mark);
  // Shows the palette at a point, moved inside the screen that holds it, and
  // fades it in when a compositor runs.
  void Popup(QPoint topLeft);
  // How long the fade-in lasts: the style's menu show delay, 400 ms when it
  // gives none.
  static int FadeDuration();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Closes the palette, then acts on the marked item.
  void Choose();
  void MarkPoint(QPoint point);

  TColorPane* pane_;
  PaletteMark mark_;
  bool pressed_ = false;  // a button is held: the mark looks sunken
  QPropertyAnimation* fade_ = nullptr;
};

}  // namespace lumivane
