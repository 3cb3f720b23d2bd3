#pragma once
// DrawMarkup lays a display markup text out in a rectangle, line by line, and
// draws it on a canvas or only measures it; the same call finds the link
// (anchor) under a point. The canvas's font is the base font of the markup;
// its brush colour is what BLINK hides text with. Index images, file icons and
// pictures come through the canvas.
#include <optional>
#include <string>
#include <string_view>

#include "display/markup/Canvas.h"

namespace lumivane {

struct MarkupOptions {
  // Pointer position in the canvas's coordinates; no hit test without one.
  std::optional<Point> point;
  // Number of the anchor drawn with the hover colours; -1 for none.
  int hoverAnchor = -1;
  // On: hover colours apply only to hoverAnchor. Off: to every anchor.
  bool hover = false;
  int shadowOffset = 2;
  Color shadowColor = RGB(0x80, 0x80, 0x80);
  // Background and text colour of anchors; clNone leaves them unchanged.
  Color hoverColor = clNone;
  Color hoverFontColor = clNone;
  // Nothing is drawn: measuring and hit testing.
  bool measureOnly = false;
  // Break lines at blanks; off: a line that does not fit ends with an
  // ellipsis and ends the text.
  bool wordWrap = true;
  // Draw text with grey-scale anti-aliasing instead of the default smoothing.
  bool ignoreClearType = true;
};

struct MarkupResult {
  // Whether the point lies over the text or an image of an anchor.
  bool overAnchor = false;
  // The anchor under the point (empty, -1 and all -1 when overAnchor is false).
  // The rectangle takes in every line the anchor spans.
  std::string anchorTarget;
  int anchorNumber = -1;
  Rect anchorRect{-1, -1, -1, -1};
  int widestLine = 0;
  int totalHeight = 0;
};

MarkupResult DrawMarkup(Canvas& canvas, std::string_view markup, const Rect& rect,
                        const MarkupOptions& options = {});

}  // namespace lumivane
