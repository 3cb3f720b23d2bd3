#pragma once
// Splitting, replacing and counting in UTF-8 texts, byte-exact: the category
// filter, the markup engine and the display routines all rest on these.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// The pieces between the occurrences of the separator, from left to right,
// empty pieces included: the empty text gives one empty piece, a final
// separator a final empty piece. An empty separator gives the whole text.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// Every occurrence of `find`, from left to right and without overlapping,
// replaced; the replacement is never searched again. An empty `find` leaves
// the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Code points of a UTF-8 text (bytes that do not continue a sequence).
std::size_t CountCodePoints(std::string_view text);

}  // namespace lumivane
