#pragma once
// A canvas with fixed, simple metrics that records what is drawn, so that
// markup layout numbers in tests are exact:
// - every character (code point) is 6 pixels wide, 7 in bold;
// - a text is as high as the font's size in points plus 5 (13 for 8 points);
// - index images, file icons and pictures have the sizes the test sets.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "display/markup/Canvas.h"

namespace lumivane {

struct CanvasOp {
  enum class Kind { kText, kRectangle, kLine, kImage, kFileIcon, kPicture, kTile };
  Kind kind = Kind::kText;
  Rect rect;             // text box, rectangle, picture target; a line's ends
  std::string text;      // as shown (cut with "..." under an ellipsis); icon path; picture
  FontStyle font;        // text: the font it was drawn with
  Color brush = clNone;  // text and rectangles: the brush (painted behind text)
  Color pen = clNone;    // rectangles and lines
  unsigned flags = 0;
  int index = -1;  // index images
};

class TestCanvas : public Canvas {
 public:
  TestCanvas();

  static constexpr int kCharWidth = 6;
  static constexpr int kBoldCharWidth = 7;
  static int HeightFor(int size) { return (size > 0 ? size : 1) + 5; }

  // Settings of the test.
  int imageCount = 0;
  Size imageSize{16, 16};
  int dpiX = 96;
  int dpiY = 96;
  std::set<std::string> missingIconPaths;         // everything else has an icon
  std::map<std::string, Size> namedPictures;      // the picture container
  std::map<std::string, Size> addressedPictures;  // what the picture cache holds
  std::vector<std::string> pictureRequests;       // every PictureSize asked for

  std::vector<CanvasOp> ops;
  std::vector<CanvasOp> Texts() const;
  // The first text drawn with exactly this text and its own colour (not a
  // shadow); nullptr when there is none.
  const CanvasOp* FindText(const std::string& text) const;

  FontStyle Font() const override { return font_; }
  void SetFont(const FontStyle& font) override { font_ = font; }
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
  void MoveTo(Point at) override { position_ = at; }
  void LineTo(Point to) override;

  int ImageCount() const override { return imageCount; }
  Size ImageSize() const override { return imageSize; }
  void DrawImage(int index, Point at) override;

  Size FileIconSize(const std::string& path, bool large) override;
  void DrawFileIcon(const std::string& path, bool large, Point at) override;

  Size PictureSize(const PictureRef& picture) override;
  void DrawPicture(const PictureRef& picture, const Rect& target) override;
  void TilePicture(const PictureRef& picture, const Rect& area) override;

  int DpiX() const override { return dpiX; }
  int DpiY() const override { return dpiY; }
  // System colour n shows as grey n, n, n.
  Color ToRGB(Color color) const override;

 private:
  FontStyle font_;
  Color brush_ = clWhite;
  Color pen_ = clBlack;
  int penWidth_ = 1;
  Point position_;
};

}  // namespace lumivane
