// The line routine: cuts the text into runs and tags until the line ends, a
// run does not fit or a tag does not fit.
#include <algorithm>

#include "display/markup/MarkupEngine.h"
#include "display/markup/MarkupEntities.h"

namespace lumivane {

int MarkupEngine::TextBottom(const LinePass& line) const {
  return ClampPixel(std::int64_t{line.rect.bottom} - metrics_.subscriptDepth);
}

int MarkupEngine::RunBottom(const LinePass& line) const {
  std::int64_t bottom =
      std::int64_t{line.rect.bottom} - metrics_.subscriptDepth - metrics_.imageTextOffset;
  if (metrics_.superscript) bottom -= metrics_.superscriptRise;
  if (metrics_.subscript) bottom += metrics_.subscriptDepth;
  return ClampPixel(bottom);
}

// A run goes up to the next "<", or with word wrap up to and including the
// next blank when that comes first.
std::size_t MarkupEngine::RunEnd(std::string_view text, std::size_t pos) const {
  for (std::size_t i = pos; i < text.size(); ++i) {
    if (text[i] == '<') return i;
    if (text[i] == ' ' && options_.wordWrap) return i + 1;
  }
  return text.size();
}

MarkupEngine::LineOutcome MarkupEngine::RunLine(LinePass& line, std::string_view text) {
  line.pen = line.rect.left;
  if (line.drawing && paragraphBackground_ && positionChain_.brush != clNone) {
    canvas_.SetBrush(positionChain_.brush);
    canvas_.Rectangle({rect_.left, line.rect.top, rect_.right,
                       ClampPixel(std::int64_t{line.rect.top} + metrics_.height)});
  }
  if (line.hitTesting) LineStarted(line);

  std::size_t pos = 0;
  bool dropRest = false;
  while (pos < text.size()) {
    const std::size_t runEnd = RunEnd(text, pos);
    if (runEnd > pos) {
      const RunOutcome run = LayOutRun(line, text.substr(pos, runEnd - pos));
      if (run == RunOutcome::kEndsLineBefore) break;
      pos = runEnd;
      if (run == RunOutcome::kConsumedLast) {
        dropRest = true;
        break;
      }
    }
    if (pos < text.size() && text[pos] == '<') {
      if (text.size() - pos <= 2) {
        pos = text.size();
        break;
      }
      const std::string_view rest = text.substr(pos);
      const TagOutcome tag = ApplyTag(line, rest);
      if (tag.noFit) break;
      const std::size_t close = rest.find('>');
      pos = close == std::string_view::npos ? text.size() : pos + close + 1;
      if (tag.endLine) break;
    }
  }

  line.width = ClampPixel(std::int64_t{line.width} - line.trailingBlank);
  result_.widestLine = std::max(result_.widestLine, line.width);
  if (line.hitTesting) LineEnded(line);
  return {pos, dropRest};
}

MarkupEngine::RunOutcome MarkupEngine::LayOutRun(LinePass& line, std::string_view raw) {
  const std::string decoded =
      raw.find('&') != std::string_view::npos ? DecodeRunEntities(raw) : std::string();
  const std::string_view run = decoded.empty() ? raw : std::string_view(decoded);
  FontChain& chain = Chain(line);
  UseFont(chain.font);
  const int height = canvas_.TextHeight(run);
  if (metrics_.subscript) metrics_.subscriptDepth = std::max(metrics_.subscriptDepth, height / 4);
  if (metrics_.superscript) {
    metrics_.superscriptRise = std::max(metrics_.superscriptRise, height / 4);
  }
  metrics_.height = std::max(metrics_.height, height);
  if (flow_.hidden) return RunOutcome::kConsumed;

  const int widthBefore = line.width;
  int width = 0;
  if (line.drawing) {
    const Rect box{line.pen, line.rect.top, line.rect.right, RunBottom(line)};
    DrawRunText(line, box, run, chain.font);
    UseFont(chain.font);
    const Rect measured = canvas_.MeasureText(box, run, flags_);
    if (squiggle_) DrawSquiggle(measured);
    line.pen = measured.right;
    width = ClampPixel(std::int64_t{measured.right} - measured.left);
  } else {
    UseFont(chain.font);
    const Rect measured = canvas_.MeasureText(line.rect, run, flags_);
    width = ClampPixel(std::int64_t{measured.right} - measured.left);
  }
  // Text counts when drawing too, so that a tab stop (IND) the text has passed
  // already is passed when drawing as well, instead of overdrawing the text.
  line.width = ClampPixel(std::int64_t{line.width} + width);
  if (line.hitTesting && flow_.inAnchor) HitTestRun(line, widthBefore);

  // Only the measuring pass decides where a line breaks; the positioned pass
  // lays out exactly the text the measuring pass took for the line.
  bool accepted = true;
  if (line.pass == Pass::kMeasure) {
    const std::int64_t room = std::int64_t{line.rect.right} - line.rect.left;
    accepted = line.width < room || width >= room || (line.hasText && !line.endsInBlank);
  }
  if (!accepted && options_.wordWrap) {
    line.width = widthBefore;
    return RunOutcome::kEndsLineBefore;
  }
  const bool endsInBlank = run.back() == ' ';
  if (endsInBlank) {
    UseFont(chain.font);
    line.trailingBlank = canvas_.TextWidth(" ");
  } else {
    line.trailingBlank = 0;
  }
  const bool last = !accepted && line.hasText;
  line.hasText = true;
  line.endsInBlank = endsInBlank;
  return last ? RunOutcome::kConsumedLast : RunOutcome::kConsumed;
}

void MarkupEngine::DrawRunText(const LinePass& line, const Rect& box, std::string_view text,
                               FontStyle font) {
  const unsigned flags = flags_ & ~static_cast<unsigned>(kTextExternalLeading);
  canvas_.SetBrush(Chain(line).brush);
  if (flow_.shadow) {
    FontStyle shadow = font;
    shadow.color = options_.shadowColor;
    UseFont(shadow);
    const int offset = options_.shadowOffset;
    canvas_.DrawText(
        {ClampPixel(std::int64_t{box.left} + offset), ClampPixel(std::int64_t{box.top} + offset),
         ClampPixel(std::int64_t{box.right} + offset),
         ClampPixel(std::int64_t{box.bottom} + offset)},
        text, flags);
  }
  UseFont(font);
  canvas_.DrawText(box, text, flags);
}

void MarkupEngine::DrawSquiggle(const Rect& measured) {
  const int bottom = measured.bottom;
  int x = measured.left - measured.left % 2;
  int y = x % 4 == 0 ? bottom + 1 : bottom - 1;
  // Only the part over the call's rectangle can show; start there in step.
  const int clipLeft = rect_.left - 4;
  if (x < clipLeft) {
    const int steps = (clipLeft - x) / 2;
    x += 2 * steps;
    if (steps % 2 != 0) y = y == bottom + 1 ? bottom - 1 : bottom + 1;
  }
  const int end = std::min(measured.right, ClampPixel(std::int64_t{rect_.right} + 4));
  const Color pen = canvas_.PenColor();
  const int penWidth = canvas_.PenWidth();
  canvas_.SetPen(RGB(0xFF, 0, 0), 1);
  canvas_.MoveTo({x, y});
  while (x < end) {
    x += 2;
    y = y == bottom + 1 ? bottom - 1 : bottom + 1;
    canvas_.LineTo({x, y});
  }
  canvas_.SetPen(pen, penWidth);
}

}  // namespace lumivane
