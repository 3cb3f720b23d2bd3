#pragma once
// The markup's character entities and the pre-processing of a whole text
// before layout.
#include <string>
#include <string_view>

namespace lumivane {

// Replaces "&amp;", "&quot;", "&sect;", "&permil;", "&reg;", "&copy;",
// "&para;", "&trade;" and "&euro;" (any case) until none is left, so that
// "&amp;quot;" ends as a double quote. One pass over the text: only "&amp;"
// yields an "&", and that "&" can only start an entity with the text after it.
std::string ExpandEntities(std::string_view text);

// The three steps before layout: entities (above); at the first "<#" the "<"
// and the first ">" after it are removed, so that the text between shows
// literally; every carriage return becomes "<BR>" and every line feed goes.
std::string PreprocessMarkup(std::string_view text);

// Inside a text run, after tags have been recognised: "&nbsp;" becomes a blank,
// "&lt;" and "&gt;" the signs they name (lower case only).
std::string DecodeRunEntities(std::string_view run);

}  // namespace lumivane
