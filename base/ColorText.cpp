#include "base/ColorText.h"

#include <array>
#include <cstdio>

namespace lumivane {
namespace {

constexpr std::array<std::string_view, kSystemColorCount> kSystemColorNames = {
    "ScrollBar",
    "Background",
    "ActiveCaption",
    "InactiveCaption",
    "Menu",
    "Window",
    "WindowFrame",
    "MenuText",
    "WindowText",
    "CaptionText",
    "ActiveBorder",
    "InactiveBorder",
    "AppWorkSpace",
    "Highlight",
    "HighlightText",
    "ThreeDFace",
    "ButtonShadow",
    "GrayText",
    "ButtonText",
    "InactiveCaptionText",
    "ButtonHighlight",
    "ThreeDDarkShadow",
    "ThreeDHighlight",
    "InfoText",
    "InfoBackground"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view SystemColorName(int index) {
  if (index < 0 || index >= kSystemColorCount) return {};
  return kSystemColorNames[static_cast<size_t>(index)];
}

std::string ColorToText(Color color) {
  if (IsSystemColor(color)) {
    const std::string_view name = SystemColorName(SystemColorIndex(color));
    if (!name.empty()) return std::string(name);
  }
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

Color TextToColor(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  for (int i = 0; i < kSystemColorCount; ++i) {
    if (text == kSystemColorNames[static_cast<size_t>(i)]) return SystemColor(i);
  }
  if (text.size() < 6) return clBlack;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(text[static_cast<size_t>(2 * i)]);
    const int low = HexDigit(text[static_cast<size_t>(2 * i + 1)]);
    if (high < 0 || low < 0) return clBlack;
    channels[i] = high * 16 + low;
  }
  return RGB(channels[0], channels[1], channels[2]);
}

}  // namespace lumivane
