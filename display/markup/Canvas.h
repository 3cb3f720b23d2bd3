#pragma once
// What the markup engine needs from a drawing surface, and nothing more: font,
// brush and pen state, text measuring and drawing with the engine's flags,
// rectangles and lines, index images, file icons and pictures, and the
// device's dots per inch. QtCanvas draws with QPainter; tests use a canvas
// with fixed metrics that records what is drawn.
#include <cstdint>
#include <string>
#include <string_view>

#include "display/markup/MarkupColor.h"

namespace lumivane {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool operator==(const Size&) const = default;
};

// Left and top inside, right and bottom just outside.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct FontStyle {
  std::string face;
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  Color color = clBlack;
  bool antialiased = false;  // grey-scale anti-aliasing, no sub-pixel rendering
  int escapement = 0;        // tenths of a degree, counter-clockwise
  bool operator==(const FontStyle&) const = default;
};

// Text flags, with the values the markup's text drawing has always used.
enum TextFlag : unsigned {
  kTextBottom = 0x0008,
  kTextSingleLine = 0x0020,
  kTextExpandTabs = 0x0040,
  kTextExternalLeading = 0x0200,
  kTextNoPrefix = 0x0800,
  kTextEndEllipsis = 0x8000,
};
// Single line, bottom-aligned, tabs expanded, no prefix, external leading.
inline constexpr unsigned kMarkupTextFlags =
    kTextSingleLine | kTextBottom | kTextExpandTabs | kTextNoPrefix | kTextExternalLeading;

// A picture named in markup: by name from the picture container, or by an
// address ("RES://...", "FILE://...", others) through the picture cache.
struct PictureRef {
  enum class Kind { kNamed, kAddress };
  Kind kind = Kind::kNamed;
  std::string source;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual FontStyle Font() const = 0;
  virtual void SetFont(const FontStyle& font) = 0;
  // clNone is the hollow brush. A solid brush also paints behind text.
  virtual Color Brush() const = 0;
  virtual void SetBrush(Color color) = 0;
  virtual Color PenColor() const = 0;
  virtual int PenWidth() const = 0;
  virtual void SetPen(Color color, int width) = 0;

  // Extent of a single-line text in the current font.
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // Draws a single line in `rect` (clipped to it) with TextFlag flags; with
  // kTextEndEllipsis a text wider than the rectangle ends with "...".
  virtual void DrawText(const Rect& rect, std::string_view text, unsigned flags) = 0;
  // The rectangle the text takes when drawn from rect's top-left corner:
  // right = left + width, bottom = top + height.
  virtual Rect MeasureText(const Rect& rect, std::string_view text, unsigned flags) = 0;

  // Filled with the brush (unless hollow), outlined with the pen.
  virtual void Rectangle(const Rect& rect) = 0;
  virtual void MoveTo(Point at) = 0;
  virtual void LineTo(Point to) = 0;

  // The image list of index images; a count of 0 when there is none.
  virtual int ImageCount() const = 0;
  virtual Size ImageSize() const = 0;
  virtual void DrawImage(int index, Point at) = 0;

  // The desktop's icon for a file or folder at its nominal size (16 or 32 at
  // 96 dots per inch); an empty size when there is none.
  virtual Size FileIconSize(const std::string& path, bool large) = 0;
  virtual void DrawFileIcon(const std::string& path, bool large, Point at) = 0;

  // A picture's own size; an empty size when it cannot be found or loaded.
  virtual Size PictureSize(const PictureRef& picture) = 0;
  virtual void DrawPicture(const PictureRef& picture, const Rect& target) = 0;
  // Repeats the picture over `area` from its top-left corner, clipped to it.
  virtual void TilePicture(const PictureRef& picture, const Rect& area) = 0;

  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // The red, green and blue a colour shows as (system colours resolved), in
  // the 0x00BBGGRR layout; gradients mix channels.
  virtual Color ToRGB(Color color) const = 0;
};

}  // namespace lumivane
