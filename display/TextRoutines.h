#pragma once
// Text routines for building display markup from item texts.
#include <string>
#include <string_view>

#include "base/TextRoutines.h"  // SplitText, ReplaceAll

namespace lumivane {

// Every "<" becomes "&lt;" and every ">" "&gt;"; "&" and all else stay, so
// entities already in the text keep working.
std::string EscapeMarkup(std::string_view text);

// The first `max` characters followed by "..." when max is not 0 and the text
// is longer than max characters; otherwise the text unchanged. A negative max
// keeps no character. Characters are code points; a sequence is never cut.
std::string CutText(std::string_view text, int max);

}  // namespace lumivane
