#include "base/TextRoutines.h"

namespace lumivane {

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  // An empty separator would be found at the same place forever.
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  for (;;) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
      pieces.emplace_back(text);
      return pieces;
    }
    pieces.emplace_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  const std::vector<std::string> pieces = SplitText(text, find);
  if (pieces.size() < 2) return std::string(text);
  std::string out = pieces.front();
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    out += replacement;
    out += pieces[i];
  }
  return out;
}

std::size_t CountCodePoints(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace lumivane
