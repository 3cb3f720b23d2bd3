#include "display/TextRoutines.h"

#include "i18n/TextEncoding.h"

namespace lumivane {

std::string EscapeMarkup(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
}

std::string CutText(std::string_view text, int max) {
  if (max == 0) return std::string(text);
  if (max > 0 && CharacterCount(text) <= static_cast<std::size_t>(max)) return std::string(text);
  const std::size_t keep = max < 0 ? 0 : static_cast<std::size_t>(max);
  std::string out(CharacterPrefix(text, keep));
  out += "...";
  return out;
}

}  // namespace lumivane
