// The hit test: which anchor lies under the point, and the rectangle around
// it. It runs in the positioned pass of a measure-only call, where every run
// stands where it is drawn; only the line under the point can report.
#include <algorithm>

#include "display/markup/MarkupEngine.h"

namespace lumivane {

void MarkupEngine::HitTestRun(LinePass& line, int widthBefore) {
  const Point point = *options_.point;
  const std::int64_t x = std::int64_t{point.x} - line.rect.left;
  if (x < widthBefore || x > line.width) return;
  if (point.y <= line.rect.top || point.y >= line.rect.bottom) return;
  line.pointerOverText = true;
  hitTarget_ = flow_.anchorTarget;
  captureAnchor_ = true;
}

void MarkupEngine::HitTestImage(LinePass& line, int width, int height) {
  const Point point = *options_.point;
  const std::int64_t left = std::int64_t{line.rect.left} + line.width;
  if (point.x <= left || point.x >= left + width) return;
  if (point.y <= line.rect.top || point.y >= std::int64_t{line.rect.top} + height) return;
  line.pointerOverImageAnchor = true;
  hitTarget_ = flow_.anchorTarget;
  captureAnchor_ = true;
}

bool MarkupEngine::PointOverLine(const LinePass& line) {
  if (line.pointerOverImageAnchor) return true;
  if (!line.pointerOverText) return false;
  UseFont(positionChain_.font);
  const std::int64_t bottom = std::int64_t{line.rect.bottom} - metrics_.imageTextOffset;
  const std::int64_t top = bottom - canvas_.TextHeight("gh");
  return options_.point->y > top && options_.point->y < bottom;
}

void MarkupEngine::AnchorOpened(const LinePass& line) {
  // A mark left by an anchor that never closed does not carry over.
  captureAnchor_ = false;
  const int left = ClampPixel(std::int64_t{line.rect.left} + line.width);
  anchorBox_ = {left, line.rect.top, left, TextBottom(line)};
}

void MarkupEngine::LineStarted(const LinePass& line) {
  if (flow_.inAnchor) anchorBox_.left = std::min(anchorBox_.left, line.rect.left);
}

void MarkupEngine::LineEnded(const LinePass& line) {
  if (!flow_.inAnchor) return;
  anchorBox_.right =
      std::max(anchorBox_.right, ClampPixel(std::int64_t{line.rect.left} + line.width));
  anchorBox_.bottom = std::max(anchorBox_.bottom, TextBottom(line));
}

void MarkupEngine::AnchorClosed(const LinePass& line) {
  LineEnded(line);
  if (!captureAnchor_) return;
  captureAnchor_ = false;
  result_.anchorNumber = flow_.anchorCounter;
  result_.anchorRect = anchorBox_;
}

}  // namespace lumivane
