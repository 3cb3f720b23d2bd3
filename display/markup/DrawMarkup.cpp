// The line loop: each line is measured first, then positioned by the
// alignment and indent, then drawn (or, for hit tests, measured again in
// place).
#include "display/markup/DrawMarkup.h"

#include <algorithm>

#include "display/markup/MarkupEngine.h"
#include "display/markup/MarkupEntities.h"

namespace lumivane {

int ScaleToDpi(int value, int dpi) {
  const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
  const std::int64_t half = product >= 0 ? 48 : -48;
  return ClampPixel((product + half) / 96);
}

namespace {

// Any rectangle a caller gives stays within the pixel range.
Rect ClampRect(const Rect& rect) {
  return {ClampPixel(rect.left), ClampPixel(rect.top), ClampPixel(rect.right),
          ClampPixel(rect.bottom)};
}

}  // namespace

MarkupEngine::MarkupEngine(Canvas& canvas, const Rect& rect, const MarkupOptions& options)
    : canvas_(canvas),
      rect_(ClampRect(rect)),
      options_(options),
      flags_(kMarkupTextFlags | (options.wordWrap ? 0u : static_cast<unsigned>(kTextEndEllipsis))) {
}

FontStyle MarkupEngine::TextFont(const FontStyle& font) const {
  FontStyle text = font;
  if (options_.ignoreClearType) text.antialiased = true;
  return text;
}

MarkupResult MarkupEngine::Run(std::string_view markup) {
  baseFont_ = canvas_.Font();
  startBrush_ = canvas_.Brush();
  const Color startPen = canvas_.PenColor();
  const int startPenWidth = canvas_.PenWidth();
  // Text is measured and drawn in the anti-aliased font when asked for: the
  // quality changes no metric, and one font spares the canvas switching.
  measureChain_.font = TextFont(baseFont_);
  positionChain_.font = measureChain_.font;
  canvas_.SetBrush(clNone);

  const std::string text = PreprocessMarkup(markup);
  const std::string_view all = text;
  std::int64_t top = rect_.top;
  std::int64_t total = 0;
  std::size_t pos = 0;

  while (pos < all.size()) {
    metrics_ = {};
    UseFont(measureChain_.font);
    const int initialHeight =
        ClampPixel(std::int64_t{canvas_.TextHeight("GH")} + (measureChain_.font.size < 8 ? 6 : 4));
    metrics_.height = initialHeight;
    const Rect lineRect{ClampPixel(std::int64_t{rect_.left} + 1), ClampPixel(top), rect_.right,
                        rect_.bottom};

    const FlowState lineStart = flow_;
    LinePass measure;
    measure.pass = Pass::kMeasure;
    measure.rect = lineRect;
    const LineOutcome outcome = RunLine(measure, all.substr(pos));

    flow_ = lineStart;
    metrics_.subscript = false;
    metrics_.superscript = false;

    LinePass placed;
    placed.pass = Pass::kPosition;
    placed.drawing = !options_.measureOnly;
    placed.hitTesting = options_.measureOnly && options_.point.has_value();
    placed.rect = lineRect;
    if (alignment_ == 1) {
      const std::int64_t left = std::int64_t{rect_.right} - measure.width;
      if (left > lineRect.left) placed.rect.left = ClampPixel(left);
    } else if (alignment_ == 2) {
      const std::int64_t room = std::int64_t{rect_.right} - lineRect.left - measure.width;
      if (room > 0) placed.rect.left = ClampPixel(lineRect.left + room / 2);
    }
    placed.rect.left = ClampPixel(std::int64_t{placed.rect.left} + indent_);
    placed.rect.bottom =
        ClampPixel(top + metrics_.height + metrics_.subscriptDepth + metrics_.superscriptRise);
    RunLine(placed, all.substr(pos, outcome.consumed));
    if (placed.hitTesting && PointOverLine(placed)) result_.overAnchor = true;

    const std::int64_t advance =
        std::int64_t{metrics_.height} + metrics_.subscriptDepth + metrics_.superscriptRise;

    top = ClampPixel(top + advance);
    total = ClampPixel(total + advance);
    pos += outcome.consumed;
    // A line always consumes something; the guard keeps a fault from looping.
    if (outcome.dropRest || outcome.consumed == 0) break;
    if (top + initialHeight > rect_.bottom) break;
  }

  if (total == 0) {
    UseFont(baseFont_);
    total = canvas_.TextHeight("gh");
  }
  result_.totalHeight = ClampPixel(total);
  if (result_.overAnchor) {
    result_.anchorTarget = hitTarget_;
  } else {
    result_.anchorNumber = -1;
    result_.anchorRect = {-1, -1, -1, -1};
  }

  canvas_.SetFont(baseFont_);
  canvas_.SetBrush(startBrush_);
  canvas_.SetPen(startPen, startPenWidth);
  return result_;
}

MarkupResult DrawMarkup(Canvas& canvas, std::string_view markup, const Rect& rect,
                        const MarkupOptions& options) {
  MarkupEngine engine(canvas, rect, options);
  return engine.Run(markup);
}

}  // namespace lumivane
