#pragma once
// The see-through background of the main window: every pixel of exactly the
// key colour shows what lies below the window.
//
// With a compositing manager the window is translucent (ARGB): the display
// paints its background transparent (BackgroundFill), so text edges blend
// with the wallpaper without a halo, and any other pixel of the key colour
// is made transparent (KeyOut). Without one the window gets an X Shape mask
// of the pixels that are neither the key colour nor transparent. The mask is
// kept on both paths, so a click on a see-through pixel reaches the desktop,
// and it is recomputed only when the picture changes.
//
// Everything is computed in device pixels, from the picture as painted at
// the screen's device pixel ratio, and given to the X server as it is, so the
// shape matches the drawn pixels at any scale. Besides the drawn shape the
// window gets an input shape made of each drawn line's rectangle: a click
// between the letters of a line reaches the display, a click beside the
// lines the desktop. (X counts input only inside the bounding shape too, so
// on the mask path the input is what is drawn; on the translucent path the
// lines' rectangles join the bounding shape, their gaps being transparent.)
//
// Whole-window opacity applies only when the X pixmap format of the root
// window's depth has 32 bits per pixel.
#include <QColor>
#include <QImage>
#include <QObject>
#include <QRegion>

class QWidget;

namespace lumivane {

class SeeThrough : public QObject {
  Q_OBJECT

 public:
  // Becomes a child of `window`. Create it before the window is first shown:
  // a translucent window needs its ARGB visual from the start.
  SeeThrough(QWidget* window, bool compositing);

  bool Translucent() const { return translucent_; }

  void SetKeyColor(const QColor& key);
  QColor KeyColor() const { return key_; }
  // The colour the display fills its background with: transparent on the
  // translucent path, the key colour otherwise.
  QColor BackgroundFill() const;
  // Translucent path: every pixel of the key colour becomes transparent.
  // Does nothing on the mask path.
  void KeyOut(QImage& picture) const;

  // To be called after each paint of the display, with what it painted
  // (window-sized, window coordinates, in device pixels with the picture's
  // device pixel ratio set). Recomputes the shapes when the picture or the
  // key colour differ from the last ones.
  void PictureChanged(const QImage& picture);
  // The drawn shape and the input shape, in device pixels.
  QRegion Mask() const { return mask_; }
  QRegion InputRegion() const { return input_; }

  // The window's opacity, 0 clear to 255 solid, at 32 bits per pixel; true
  // when applied.
  bool SetAlpha(int alpha);

  // The pixels of `picture` that are neither of colour `key` nor transparent.
  static QRegion VisibleRegion(const QImage& picture, const QColor& key);
  // One rectangle per band of rows that hold visible pixels: from the band's
  // leftmost to its rightmost visible pixel, over the band's rows.
  static QRegion LineRegion(const QRegion& visible);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyMask();

  QWidget* window_;
  bool translucent_;
  QColor key_ = QColor(1, 1, 1);
  QImage lastPicture_;
  QColor lastKey_;
  QRegion mask_;
  QRegion input_;
  qreal ratio_ = 1.0;
};

}  // namespace lumivane
