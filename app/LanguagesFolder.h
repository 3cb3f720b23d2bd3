#pragma once
#include <string>

namespace lumivane {

// The folder of the translation files, with a trailing "/": "Languages" beside
// the program, else the installed share/lumivane/Languages; the first when
// neither exists.
std::string LanguagesFolder(const std::string& programFolder);

}  // namespace lumivane
