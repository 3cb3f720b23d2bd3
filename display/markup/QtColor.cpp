#include "display/markup/QtColor.h"

#include <QGuiApplication>
#include <array>

namespace lumivane {
namespace {

struct PaletteColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// By system colour number: scroll bar, desktop (not from the palette), active
// and inactive caption, menu, window, window frame, menu text, window text,
// caption text, active and inactive border, application workspace, highlight,
// highlighted text, button face, button shadow, grey text, button text,
// inactive caption text, button highlight, 3D dark shadow, 3D light, tooltip
// text, tooltip background.
constexpr std::array<PaletteColor, 25> kSystemColors{{
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Inactive, QPalette::Highlight},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Inactive, QPalette::Button},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Disabled, QPalette::Text},
    {QPalette::Active, QPalette::ButtonText},
    {QPalette::Inactive, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Light},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::Midlight},
    {QPalette::Active, QPalette::ToolTipText},
    {QPalette::Active, QPalette::ToolTipBase},
}};

constexpr int kDesktopColor = 1;

}  // namespace

QColor SystemQColor(int number, const QPalette& palette) {
  if (number == kDesktopColor) return QColor(1, 1, 1);
  if (number < 0 || number >= static_cast<int>(kSystemColors.size())) return QColor(0, 0, 0);
  const PaletteColor& entry = kSystemColors[static_cast<std::size_t>(number)];
  return palette.color(entry.group, entry.role);
}

QColor ToQColor(Color color, const QPalette& palette) {
  if (color == clNone) return {};
  if (IsSystemColor(color)) return SystemQColor(SystemColorIndex(color), palette);
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QColor ToQColor(Color color) {
  return ToQColor(color, QGuiApplication::palette());
}

Color FromQColor(const QColor& color) {
  return RGB(color.red(), color.green(), color.blue());
}

}  // namespace lumivane
