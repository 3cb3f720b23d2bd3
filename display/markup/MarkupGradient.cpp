#include "display/markup/MarkupGradient.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lumivane {
namespace {

int Mix(int first, int second, int step, int steps) {
  return first +
         static_cast<int>(std::lround(static_cast<double>(step) * (second - first) / steps));
}

}  // namespace

std::vector<GradientBand> GradientBands(Color from, Color to, int steps, const Rect& rect,
                                        GradientDirection direction) {
  if (steps <= 0) steps = 1;
  const bool horizontal = direction == GradientDirection::kHorizontal;
  const std::int64_t origin = horizontal ? rect.left : rect.top;
  const std::int64_t farEdge = horizontal ? rect.right : rect.bottom;
  const double band = static_cast<double>(farEdge - origin) / steps;
  const std::int64_t length = static_cast<std::int64_t>(std::trunc(band)) + 1;

  std::vector<GradientBand> bands;
  bands.reserve(static_cast<std::size_t>(steps));
  for (int i = 0; i < steps; ++i) {
    const std::int64_t start = origin + std::llround(i * band);
    const std::int64_t end = std::min(start + length, farEdge);
    if (end <= start) continue;
    const Color color =
        RGB(Mix(RedOf(from), RedOf(to), i, steps), Mix(GreenOf(from), GreenOf(to), i, steps),
            Mix(BlueOf(from), BlueOf(to), i, steps));
    Rect r = rect;
    if (horizontal) {
      r.left = static_cast<int>(start);
      r.right = static_cast<int>(end);
    } else {
      r.top = static_cast<int>(start);
      r.bottom = static_cast<int>(end);
    }
    bands.push_back({r, color});
  }
  return bands;
}

void DrawGradient(Canvas& canvas, Color from, Color to, int steps, const Rect& rect,
                  GradientDirection direction) {
  const int penWidth = canvas.PenWidth();
  for (const GradientBand& band :
       GradientBands(canvas.ToRGB(from), canvas.ToRGB(to), steps, rect, direction)) {
    canvas.SetPen(band.color, penWidth);
    canvas.SetBrush(band.color);
    canvas.Rectangle(band.rect);
  }
}

}  // namespace lumivane
