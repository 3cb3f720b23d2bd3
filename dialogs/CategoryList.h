#pragma once
// The text form of a category filter: the names in list order, joined by ";"
// with nothing added or trimmed. The empty text is the empty list.
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// Each name followed by ";", the final ";" left off. A list of one empty
// name joins to the empty text, like the empty list.
std::string JoinCategoryList(const std::vector<std::string>& names);

// Every piece between separators counts, empty ones included ("Work;" is Work
// and an empty name); the empty text is the empty list.
std::vector<std::string> SplitCategoryList(std::string_view text);

}  // namespace lumivane
