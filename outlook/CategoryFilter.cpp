#include "outlook/CategoryFilter.h"

#include <string>
#include <vector>

#include "base/AsciiCase.h"
#include "base/TextRoutines.h"

namespace lumivane {

bool CategoryFilter(std::string_view itemCategories, std::string_view categoryList,
                    bool showListed) {
  if (categoryList.empty()) return true;
  const std::string categories = UpperCaseAscii(itemCategories);
  bool matches = false;
  for (const std::string& piece : SplitText(categoryList, ";")) {
    // An empty piece would be found in every text.
    if (piece.empty()) continue;
    if (categories.find(UpperCaseAscii(piece)) != std::string::npos) {
      matches = true;
      break;
    }
  }
  return matches == showListed;
}

}  // namespace lumivane
