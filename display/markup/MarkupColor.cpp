#include "display/markup/MarkupColor.h"

#include <array>
#include <string>

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

struct NamedColor {
  std::string_view name;
  Color color;
};

constexpr std::array<NamedColor, 40> kNamedColors{{
    {"clblack", RGB(0x00, 0x00, 0x00)},
    {"clmaroon", RGB(0x80, 0x00, 0x00)},
    {"clgreen", RGB(0x00, 0x80, 0x00)},
    {"clolive", RGB(0x80, 0x80, 0x00)},
    {"clnavy", RGB(0x00, 0x00, 0x80)},
    {"clpurple", RGB(0x80, 0x00, 0x80)},
    {"clteal", RGB(0x00, 0x80, 0x80)},
    {"clgray", RGB(0x80, 0x80, 0x80)},
    {"clsilver", RGB(0xC0, 0xC0, 0xC0)},
    {"clred", RGB(0xFF, 0x00, 0x00)},
    {"cllime", RGB(0x00, 0xFF, 0x00)},
    {"clyellow", RGB(0xFF, 0xFF, 0x00)},
    {"clblue", RGB(0x00, 0x00, 0xFF)},
    {"clfuchsia", RGB(0xFF, 0x00, 0xFF)},
    {"claqua", RGB(0x00, 0xFF, 0xFF)},
    {"clwhite", RGB(0xFF, 0xFF, 0xFF)},
    {"clbackground", SystemColor(1)},
    {"clactivecaption", SystemColor(2)},
    {"clinactivecaption", SystemColor(3)},
    {"clmenu", SystemColor(4)},
    {"clwindow", SystemColor(5)},
    {"clwindowframe", SystemColor(6)},
    {"clmenutext", SystemColor(7)},
    {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)},
    {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)},
    {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)},
    {"clhighlighttext", SystemColor(14)},
    {"clbtnface", SystemColor(15)},
    {"clbtnshadow", SystemColor(16)},
    {"clgraytext", SystemColor(17)},
    {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)},
    {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)},
    {"cl3dlight", SystemColor(22)},
    {"clinfotext", SystemColor(23)},
    {"clinfobk", SystemColor(24)},
}};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One channel of "#RRGGBB": the hexadecimal digits at the start of the pair; a
// short or broken value gives 0 for what is missing instead of failing.
int HexPair(std::string_view value, std::size_t at) {
  int result = 0;
  for (std::size_t i = at; i < at + 2 && i < value.size(); ++i) {
    const int digit = HexDigit(value[i]);
    if (digit < 0) break;
    result = result * 16 + digit;
  }
  return result;
}

}  // namespace

Color ParseMarkupColor(std::string_view value) {
  if (!value.empty() && value.front() == '#') {
    return RGB(HexPair(value, 1), HexPair(value, 3), HexPair(value, 5));
  }
  const std::string name = LowerCaseAscii(value);
  for (const NamedColor& named : kNamedColors) {
    if (named.name == name) return named.color;
  }
  return clBlack;
}

}  // namespace lumivane
