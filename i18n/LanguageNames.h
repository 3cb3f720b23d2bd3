#pragma once
// Language names: a translation file's name without its ".lvl" extension.
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// The file name part of the path without its last four characters
// ("/opt/x/Languages/English.lvl" gives "English"); empty for an empty path.
std::string LanguageNameOf(std::string_view path);

// The language names of the files, sorted alphabetically without regard to
// letter case (names differing only in case keep a fixed order).
std::vector<std::string> SortedLanguageNames(const std::vector<std::string>& files);

}  // namespace lumivane
