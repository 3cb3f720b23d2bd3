#pragma once
// The colour model shared by the settings and the display markup: 32 bits,
// red in the low byte, then green, then blue; a system colour has the high
// byte 0xFF and its number (0..24) in the low byte.
#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

using Color = std::uint32_t;

inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr int kSystemColorCount = 25;
inline constexpr int COLOR_BACKGROUND = 1;

constexpr Color RGB(int red, int green, int blue) {
  return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
         (static_cast<Color>(blue & 0xFF) << 16);
}
constexpr Color SystemColor(int index) {
  return 0xFF000000u | static_cast<Color>(index & 0xFF);
}
constexpr bool IsSystemColor(Color c) {
  return (c & 0xFF000000u) == 0xFF000000u;
}
constexpr int SystemColorIndex(Color c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int RedOf(Color c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// "ScrollBar" .. "InfoBackground"; empty for a number out of range.
std::string_view SystemColorName(int index);

// A system colour as its name, any other as six upper-case hex digits, red first.
std::string ColorToText(Color color);
// A leading "#" is dropped; an exact (case-sensitive) system colour name gives
// that system colour; else six hex digits, red first (more are ignored).
// Anything unreadable gives black: it never fails.
Color TextToColor(std::string_view text);

}  // namespace lumivane
