#pragma once
// Colour values on the Qt side. System colour numbers 0 to 24 take
// the matching role of the palette; the desktop colour (1) is RGB 01 01 01,
// since the desktop's own colour cannot be read.
#include <QColor>
#include <QPalette>

#include "display/markup/MarkupColor.h"

namespace lumivane {

// An invalid QColor for clNone (nothing is painted with it).
QColor ToQColor(Color color, const QPalette& palette);
// The application's palette.
QColor ToQColor(Color color);
// A plain colour value (alpha is dropped).
Color FromQColor(const QColor& color);
QColor SystemQColor(int number, const QPalette& palette);

}  // namespace lumivane
