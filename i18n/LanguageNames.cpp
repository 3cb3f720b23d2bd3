#include "i18n/LanguageNames.h"

#include <algorithm>

#include "base/AsciiCase.h"

namespace lumivane {

std::string LanguageNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  name.remove_suffix(std::min<std::size_t>(4, name.size()));
  return std::string(name);
}

std::vector<std::string> SortedLanguageNames(const std::vector<std::string>& files) {
  std::vector<std::string> names;
  names.reserve(files.size());
  for (const std::string& file : files) names.push_back(LanguageNameOf(file));
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    if (LessTextAscii(a, b)) return true;
    if (LessTextAscii(b, a)) return false;
    return a < b;
  });
  return names;
}

}  // namespace lumivane
