#include "display/markup/MarkupTag.h"

#include <cstdint>

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

char At(std::string_view text, std::size_t i) {
  return i < text.size() ? UpperAscii(text[i]) : '\0';
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

struct NumberRead {
  int value = 0;
  std::size_t digits = 0;
  std::size_t end = 0;  // index after the last character read
};

NumberRead ReadNumberPrefix(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && value[i] == ' ') ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    negative = value[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < value.size() && value[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < value.size() && value[i] == '0' && UpperAscii(value[i + 1]) == 'X') {
    base = 16;
    i += 2;
  }
  NumberRead read;
  std::int64_t magnitude = 0;
  for (; i < value.size(); ++i) {
    const int digit = DigitValue(value[i], base);
    if (digit < 0) break;
    if (magnitude <= kMaxMarkupNumber) magnitude = magnitude * base + digit;
    ++read.digits;
  }
  if (magnitude > kMaxMarkupNumber) magnitude = kMaxMarkupNumber;
  read.value = static_cast<int>(negative ? -magnitude : magnitude);
  read.end = i;
  return read;
}

}  // namespace

TagKind ClassifyTag(std::string_view rest) {
  if (At(rest, 1) == '/' && rest.size() >= 4) {
    const char next = At(rest, 3);
    switch (At(rest, 2)) {
      case 'A':
        return TagKind::kAnchorClose;
      case 'B':
        return next == '>' ? TagKind::kBoldClose : TagKind::kBaseColor;
      case 'E':
        return TagKind::kSquiggleClose;
      case 'F':
        return TagKind::kFontClose;
      case 'H':
        return TagKind::kHighlightClose;
      case 'I':
        return TagKind::kItalicClose;
      case 'L':
        return TagKind::kListItemClose;
      case 'P':
        return TagKind::kParagraphClose;
      case 'R':
        return TagKind::kRotateClose;
      case 'S':
        if (next == 'H') return TagKind::kShadowClose;
        if (next == 'U') return TagKind::kScriptClose;
        return TagKind::kStrikeClose;
      case 'U':
        return next == '>' ? TagKind::kUnderlineClose : TagKind::kListClose;
      case 'Z':
        return TagKind::kHiddenClose;
      default:
        return TagKind::kIgnored;
    }
  }
  const char next = At(rest, 2);
  const bool closed = rest.find('>') != std::string_view::npos;
  switch (At(rest, 1)) {
    case 'A':
      return TagKind::kAnchorOpen;
    case 'B':
      if (next == '>') return TagKind::kBoldOpen;
      if (next == 'L') return TagKind::kBlink;
      if (next == 'O') return TagKind::kBody;
      if (next == 'R') return TagKind::kBreak;
      return TagKind::kIgnored;
    case 'E':
      return TagKind::kSquiggleOpen;
    case 'F':
      return closed ? TagKind::kFontOpen : TagKind::kIgnored;
    case 'H':
      if (next == 'I') return TagKind::kHighlightOpen;
      if (next == 'R') return TagKind::kRule;
      return TagKind::kIgnored;
    case 'I':
      if (next == '>') return TagKind::kItalicOpen;
      if (next == 'N') return TagKind::kIndent;
      if (next == 'M') return TagKind::kImage;
      return TagKind::kIgnored;
    case 'L':
      return TagKind::kListItemOpen;
    case 'P':
      return closed ? TagKind::kParagraphOpen : TagKind::kIgnored;
    case 'R':
      return TagKind::kRotateOpen;
    case 'S':
      if (next == '>') return TagKind::kStrikeOpen;
      if (next == 'H') return TagKind::kShadowOpen;
      if (StartsWithTextAscii(rest, "<SUB>")) return TagKind::kSubscriptOpen;
      if (StartsWithTextAscii(rest, "<SUP>")) return TagKind::kSuperscriptOpen;
      return TagKind::kIgnored;
    case 'U':
      return next == '>' ? TagKind::kUnderlineOpen : TagKind::kListOpen;
    case 'Z':
      return TagKind::kHiddenOpen;
    default:
      return TagKind::kIgnored;
  }
}

std::string_view TagText(std::string_view rest) {
  const std::size_t close = rest.find('>');
  return close == std::string_view::npos ? rest : rest.substr(0, close + 1);
}

std::optional<std::string_view> AttributeValue(std::string_view upperTag, std::string_view name,
                                               std::size_t from) {
  const std::size_t at = upperTag.find(name, from);
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t open = upperTag.find('"', at + name.size());
  if (open == std::string_view::npos) return upperTag.substr(upperTag.size());
  const std::size_t close = upperTag.find('"', open + 1);
  if (close == std::string_view::npos) return upperTag.substr(upperTag.size());
  return upperTag.substr(open + 1, close - open - 1);
}

int ReadNumber(std::string_view value) {
  return ReadNumberPrefix(value).value;
}

std::optional<int> ReadWholeNumber(std::string_view value) {
  const NumberRead read = ReadNumberPrefix(value);
  if (read.digits == 0 || read.end != value.size()) return std::nullopt;
  return read.value;
}

std::optional<int> FontSizeAttribute(std::string_view upperTag) {
  const std::size_t at = upperTag.find("SIZE");
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t equals = upperTag.find('=', at + 4);
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view text = upperTag.substr(equals + 1);
  const std::size_t quote = text.find('"');
  if (quote != std::string_view::npos) text = text.substr(quote + 1);
  const int number = ReadNumber(text);
  if (number >= 1 && number <= 5) return 6 + 2 * number;
  return number;
}

std::string AnchorTarget(std::string_view tag) {
  const std::size_t open = tag.find('"');
  if (open == std::string_view::npos) return {};
  const std::size_t close = tag.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(tag.substr(open + 1, close - open - 1));
}

}  // namespace lumivane
