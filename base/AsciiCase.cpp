#include "base/AsciiCase.h"

#include <algorithm>

namespace lumivane {

std::string LowerCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

std::string UpperCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

bool LessTextAscii(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

bool StartsWithTextAscii(std::string_view text, std::string_view prefix, std::size_t at) {
  if (at > text.size() || text.size() - at < prefix.size()) return false;
  return SameTextAscii(text.substr(at, prefix.size()), prefix);
}

}  // namespace lumivane
