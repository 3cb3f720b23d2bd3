#pragma once
// Colour attributes of markup tags, over the colour model of the settings
// (base/ColorText.h: red in the low byte, system colours with the high byte
// 0xFF, clNone for no colour).
#include <string_view>

#include "base/ColorText.h"

namespace lumivane {

// "#" and three hexadecimal pairs (red, green, blue; what is missing or broken
// counts 0), or one of the 16 plain and 24 system colour names ("clRed",
// "clBtnFace", any case). Anything else, the empty value included, is black.
Color ParseMarkupColor(std::string_view value);

}  // namespace lumivane
