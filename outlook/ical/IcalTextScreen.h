#pragma once
// The text of a calendar component checked and tidied before libical sees it.
// libical's parser takes time that grows with the square of a line's length,
// of the parameters of one property and of the properties of one component,
// so a component over any of the limits below is not handed over at all. The
// tidying mends what other programs write: a blank line before a folded
// continuation (which would cut the property in two), and RDATE or EXDATE
// lists, split into one value a line so that a broken value costs that value
// and not the whole list.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane::ical {

struct TextLimits {
  std::size_t lineBytes = 256 * 1024;  // one unfolded property line
  std::size_t parametersPerProperty = 100;
  std::size_t propertiesPerComponent = 5000;  // nested components' lines included
};

inline constexpr TextLimits kTextLimits{};

// True when the text holds no line over the limits.
bool WithinTextLimits(std::string_view text, const TextLimits& limits = kTextLimits);

// The text tidied (see above), or std::nullopt when it needs nothing.
std::optional<std::string> TidyCalendarText(std::string_view text);

}  // namespace lumivane::ical
