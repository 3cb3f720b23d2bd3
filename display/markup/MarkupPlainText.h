#pragma once
// The text of markup without its tags, for hints and the terminal.
#include <string>
#include <string_view>

namespace lumivane {

// "<BR>" and "<HR>" (any case) become a carriage return and line feed; the
// hidden sections "<z>"..."</z>", then "<Z>"..."</Z>" go (an unclosed one to the
// end, as it hides all that follows when drawn); then every tag from "<" to the
// next ">" goes, while a "<" with no ">" after it stays with all that follows.
// Entities stay as written.
std::string MarkupToPlainText(std::string_view markup);

}  // namespace lumivane
