#pragma once
// Reading tags: which tag a "<" starts, decided by one or two characters after
// it, and the attribute values and numbers in a tag's text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane {

enum class TagKind {
  kIgnored,
  kAnchorOpen,
  kAnchorClose,
  kBoldOpen,
  kBoldClose,
  kBlink,
  kBaseColor,  // any other closing tag that starts with B
  kBody,
  kBreak,
  kSquiggleOpen,
  kSquiggleClose,
  kFontOpen,
  kFontClose,
  kHighlightOpen,
  kHighlightClose,
  kRule,
  kItalicOpen,
  kItalicClose,
  kIndent,
  kImage,
  kListItemOpen,
  kListItemClose,
  kParagraphOpen,
  kParagraphClose,
  kRotateOpen,
  kRotateClose,
  kStrikeOpen,
  kStrikeClose,
  kShadowOpen,
  kShadowClose,
  kSubscriptOpen,
  kSuperscriptOpen,
  kScriptClose,
  kUnderlineOpen,
  kUnderlineClose,
  kListOpen,
  kListClose,
  kHiddenOpen,
  kHiddenClose,
};

// `rest` is the remaining text from a "<" on (at least 3 characters). Only the
// deciding characters count: "<BOGUS>" is BODY, "</BLINK>" restores the colour.
TagKind ClassifyTag(std::string_view rest);

// The tag's text: up to and including the first ">", or all of `rest` when
// there is none.
std::string_view TagText(std::string_view rest);

// The value of an attribute in an upper-cased tag text: after the first
// occurrence of `name` (searched from `from`), the text between the next two
// double quotes. Empty when there are no two quotes; nullopt when the name is
// not in the tag. The view points into `upperTag`.
std::optional<std::string_view> AttributeValue(std::string_view upperTag, std::string_view name,
                                               std::size_t from = 0);

// Numbers read from markup are kept within this range, so that pixel
// arithmetic on them cannot overflow.
inline constexpr int kMaxMarkupNumber = 1'000'000;

// A number at the start of a value: blanks skipped, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x"; reading stops at the
// first other character; no digits give 0.
int ReadNumber(std::string_view value);
// The same, but the whole value must be that number (nullopt otherwise).
std::optional<int> ReadWholeNumber(std::string_view value);

// FONT's SIZE in points: the number after the "=" that follows the name (after
// the first double quote there, when there is one); 1 to 5 stand for 8, 10,
// 12, 14 and 16 points. nullopt without SIZE or without "=".
std::optional<int> FontSizeAttribute(std::string_view upperTag);

// An anchor's target: the text between the tag's first two double quotes.
std::string AnchorTarget(std::string_view tag);

}  // namespace lumivane
