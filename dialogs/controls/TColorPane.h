#pragma once
// The colour pane: a focusable 16 x 16 swatch in a sunken frame that opens a
// palette of 40 colours plus "Default" and "Other Color" below it.
#include <QPointer>
#include <QWidget>
#include <functional>

#include "base/ColorText.h"

namespace lumivane {

class TColorPaneFloatWindow;

// Where the palette opens, from the swatch's top-left corner on the screen.
enum class TColorPaneAlignment {
  Center,  // under the swatch, left edges aligned
  Left,    // ending at the swatch's left edge, tops level
  Right,   // starting at the swatch's right edge, tops level
};

class TColorPane : public QWidget {
  Q_OBJECT

 public:
  explicit TColorPane(QWidget* parent = nullptr);
  ~TColorPane() override;

  lumivane::Color Color() const { return color_; }
  // A different colour repaints the pane and raises OnChange.
  void SetColor(lumivane::Color color);
  TColorPaneAlignment Alignment() const { return alignment_; }
  void SetAlignment(TColorPaneAlignment alignment) { alignment_ = alignment; }

  // Plain notifications; the handlers of the two entries set Color themselves.
  std::function<void(TColorPane*)> OnChange;
  std::function<void(TColorPane*)> OnClickDefault;
  std::function<void(TColorPane*)> OnClickOtherBtn;

  // The palette while it is open, else null.
  TColorPaneFloatWindow* FloatWindow() const { return floatWindow_; }
  // Opens the palette (as a press on the swatch does); nothing when it is open.
  void OpenPalette();
  // Where the palette's top-left corner goes, before it is kept on the screen.
  QPoint PalettePosition() const;

  QSize sizeHint() const override { return {16, 16}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class TColorPaneFloatWindow;
  // From the palette when it is hidden, whatever closed it.
  void PaletteClosed(TColorPaneFloatWindow* window);

  lumivane::Color color_ = clWhite;
  TColorPaneAlignment alignment_ = TColorPaneAlignment::Center;
  QPointer<TColorPaneFloatWindow> floatWindow_;
};

}  // namespace lumivane
