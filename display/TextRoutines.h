#pragma once
// Text routines for building display markup from item texts.
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// Every "<" becomes "&lt;" and every ">" "&gt;"; "&" and all else stay, so
// entities already in the text keep working.
std::string EscapeMarkup(std::string_view text);

// The first `max` characters followed by "..." when max is not 0 and the text
// is longer than max characters; otherwise the text unchanged. A negative max
// keeps no character. Characters are code points; a sequence is never cut.
std::string CutText(std::string_view text, int max);

// The pieces between the occurrences of the separator, from left to right,
// empty pieces included: the empty text gives one empty piece, a final
// separator a final empty piece. An empty separator gives the whole text.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Every occurrence of `find`, from left to right and without overlapping,
// replaced; the replacement is never searched again. An empty `find` leaves
// the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

}  // namespace lumivane
