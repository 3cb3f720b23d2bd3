#pragma once
// The small markup of a link label: "<b>" ... "</b>" for bold and "<link>"
// ... "</link>" for a clickable link. Tag names are matched without regard to
// the case of ASCII letters; anything else, other tags included, is text.
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

struct LinkRun {
  std::string text;
  bool bold = false;
  int link = -1;  // the link's number, counted from 0; -1 outside links
  bool operator==(const LinkRun&) const = default;
};

// The caption cut into runs of one style; a link left open runs to the end.
std::vector<LinkRun> ParseLinkMarkup(std::string_view caption);

// The text of each link, by number.
std::vector<std::string> LinkTexts(const std::vector<LinkRun>& runs);

}  // namespace lumivane
