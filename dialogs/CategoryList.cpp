#include "dialogs/CategoryList.h"

#include "base/TextRoutines.h"

namespace lumivane {

std::string JoinCategoryList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += ';';
    text += names[i];
  }
  return text;
}

std::vector<std::string> SplitCategoryList(std::string_view text) {
  if (text.empty()) return {};
  return SplitText(text, ";");
}

}  // namespace lumivane
