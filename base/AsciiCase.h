#pragma once
// Letter case rules of the program: only the ASCII letters A-Z and a-z have a
// case; every other byte (and so every non-ASCII character of a UTF-8 text) is
// compared and copied as it is, so texts keep their byte positions.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumivane {

constexpr char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
constexpr char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

std::string LowerCaseAscii(std::string_view text);
std::string UpperCaseAscii(std::string_view text);

// Equal without regard to the case of ASCII letters.
bool SameTextAscii(std::string_view a, std::string_view b);
// Orders as the lower-case forms would; ties are not broken.
bool LessTextAscii(std::string_view a, std::string_view b);
// Whether `text` holds `prefix` at `at`, ASCII letters in any case.
bool StartsWithTextAscii(std::string_view text, std::string_view prefix, std::size_t at = 0);

}  // namespace lumivane
