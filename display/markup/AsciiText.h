#pragma once
// Case rules of the markup: tag names, attribute names and entities compare
// without regard to case, touching ASCII letters only, so that UTF-8 text
// passes through unchanged and keeps its byte positions.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumivane {

constexpr char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

// Whether `text` starts with `prefix` at `at`, ASCII letters in any case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix, std::size_t at = 0);

// Code points of a UTF-8 text (bytes that do not continue a sequence).
std::size_t CountCodePoints(std::string_view text);

}  // namespace lumivane
