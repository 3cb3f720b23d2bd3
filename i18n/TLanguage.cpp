#include "i18n/TLanguage.h"

#include "i18n/ProfileReader.h"

namespace lumivane {

std::string TLanguage::LookupMessage(std::string_view key) const {
  if (LanguageFile.empty()) return std::string(key);
  auto value = ReadProfileString(LanguageFile, "Messages", key);
  return value ? std::move(*value) : std::string(key);
}

}  // namespace lumivane
