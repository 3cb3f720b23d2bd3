#pragma once
// The markup engine's canvas over a QPainter. Metrics come from the painter's
// device (its logical dots per inch); index images from a TImageList, file
// icons from QFileIconProvider, pictures from a TPictureContainer by name and
// a THTMLPictureCache by address. Fonts and run widths go through a
// TextExtentCache: a caller that lays markup out repeatedly (every mouse move)
// passes its own, kept between canvases. The painter's state is restored when
// the canvas goes.
#include <QFileIconProvider>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <memory>

#include "display/markup/Canvas.h"
#include "display/markup/TextExtentCache.h"

class QPainter;

namespace lumivane {

class TImageList;
class TPictureContainer;
class THTMLPictureCache;

class QtCanvas : public Canvas {
 public:
  // Without a cache of the caller's, the canvas keeps one for its own life.
  explicit QtCanvas(QPainter& painter, TextExtentCache* extents = nullptr);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // Sources of images; each may be absent (nothing is drawn from it then).
  void SetImages(const TImageList* images) { images_ = images; }
  void SetPictureContainer(const TPictureContainer* container) { container_ = container; }
  void SetPictureCache(THTMLPictureCache* cache) { cache_ = cache; }
  // The palette that system colours come from (the application's by default).
  void SetPalette(const QPalette& palette) { palette_ = palette; }

  // A widget's font and text colour as the engine's base font.
  static FontStyle FontStyleFromQFont(const QFont& font, Color color);
  // Point sizes outside 1 to 1000 are brought into that range.
  static QFont ToQFont(const FontStyle& fontStyle);

  FontStyle Font() const override { return font_; }
  void SetFont(const FontStyle& font) override;
  Color Brush() const override { return brush_; }
  void SetBrush(Color color) override { brush_ = color; }
  Color PenColor() const override { return pen_; }
  int PenWidth() const override { return penWidth_; }
  void SetPen(Color color, int width) override;

  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void DrawText(const Rect& rect, std::string_view text, unsigned flags) override;
  Rect MeasureText(const Rect& rect, std::string_view text, unsigned flags) override;

  void Rectangle(const Rect& rect) override;
  void MoveTo(Point at) override { penPosition_ = at; }
  void LineTo(Point to) override;

  int ImageCount() const override;
  Size ImageSize() const override;
  void DrawImage(int index, Point at) override;

  Size FileIconSize(const std::string& path, bool large) override;
  void DrawFileIcon(const std::string& path, bool large, Point at) override;

  Size PictureSize(const PictureRef& picture) override;
  void DrawPicture(const PictureRef& picture, const Rect& target) override;
  void TilePicture(const PictureRef& picture, const Rect& area) override;

  int DpiX() const override;
  int DpiY() const override;
  Color ToRGB(Color color) const override;

 private:
  TextExtentCache::Font& Current();
  const QImage* FindPicture(const PictureRef& picture) const;
  QIcon FileIcon(const std::string& path);

  QPainter& painter_;
  QPalette palette_;
  FontStyle font_;
  Color brush_ = clNone;
  Color pen_ = clBlack;
  int penWidth_ = 1;
  Point penPosition_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  const TImageList* images_ = nullptr;
  const TPictureContainer* container_ = nullptr;
  THTMLPictureCache* cache_ = nullptr;
  std::unique_ptr<QFileIconProvider> iconProvider_;  // made on first use
  std::unique_ptr<TextExtentCache> ownExtents_;
  TextExtentCache& extents_;
  std::shared_ptr<TextExtentCache::Font> current_;  // the font of font_, once asked for
};

}  // namespace lumivane
