#pragma once
// The colour gradient of page and paragraph backgrounds (and of the markup
// label's background): `steps` bands of evenly mixed colours.
#include <vector>

#include "display/markup/Canvas.h"

namespace lumivane {

struct GradientBand {
  Rect rect;
  Color color;  // 0x00BBGGRR
};

enum class GradientDirection { kHorizontal, kVertical };

// Bands from `from` to `to` (plain colours; resolve system colours first). The
// band size is the extent divided by the step count (0 counts as 1); band i
// starts at round(i x size), is trunc(size) + 1 long but never passes the far
// edge, and spans the whole other dimension.
std::vector<GradientBand> GradientBands(Color from, Color to, int steps, const Rect& rect,
                                        GradientDirection direction);

// Draws the bands with Rectangle, pen and brush in each band's colour; they
// keep the last band's colour afterwards.
void DrawGradient(Canvas& canvas, Color from, Color to, int steps, const Rect& rect,
                  GradientDirection direction);

}  // namespace lumivane
