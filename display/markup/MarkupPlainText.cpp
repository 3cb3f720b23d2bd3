#include "display/markup/MarkupPlainText.h"

#include <algorithm>

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

// Whether "<BR>" or "<HR>", in any letter case, starts at `at`.
bool IsLineTag(std::string_view text, std::size_t at) {
  if (text.size() - at < 4 || text[at] != '<' || text[at + 3] != '>' ||
      LowerAscii(text[at + 2]) != 'r') {
    return false;
  }
  const char first = LowerAscii(text[at + 1]);
  return first == 'b' || first == 'h';
}

// Whether a hidden section, "<z>" or "<Z>", opens at `at`.
bool IsSectionOpen(std::string_view text, std::size_t at) {
  const std::string_view open = text.substr(at, 3);
  return open == "<z>" || open == "<Z>";
}

struct LineTagsReplaced {
  std::string text;
  bool sectionOpens = false;  // the markup holds "<z>" or "<Z>"
};

// The markup with every line tag a carriage return and line feed, the runs
// between them copied whole.
LineTagsReplaced ReplaceLineTags(std::string_view markup) {
  LineTagsReplaced out;
  out.text.reserve(markup.size());
  std::size_t run = 0;  // where the text not yet copied starts
  for (std::size_t at = markup.find('<'); at != std::string_view::npos;
       at = markup.find('<', at + 1)) {
    if (IsSectionOpen(markup, at)) out.sectionOpens = true;
    if (!IsLineTag(markup, at)) continue;
    out.text.append(markup.substr(run, at - run));
    out.text += "\r\n";
    run = at + 4;
    at += 3;
  }
  out.text.append(markup.substr(run));
  return out;
}

// The passes below only ever take text out, so each keeps what stays at the
// front of the same string: `kept` characters so far, then the next run.
void Keep(std::string& text, std::size_t& kept, std::size_t from, std::size_t to) {
  if (kept != from) std::copy(text.begin() + from, text.begin() + to, text.begin() + kept);
  kept += to - from;
}

// Every section from `open` to the next `close` goes; one without its close
// runs to the end.
void RemoveSections(std::string& text, std::string_view open, std::string_view close) {
  std::size_t kept = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = text.find(open, i);
    if (start == std::string::npos) {
      Keep(text, kept, i, text.size());
      break;
    }
    Keep(text, kept, i, start);
    const std::size_t end = text.find(close, start + open.size());
    i = end == std::string::npos ? text.size() : end + close.size();
  }
  text.resize(kept);
}

// Every tag from "<" to the next ">" goes; a "<" with no ">" after it stays
// with all that follows.
void RemoveTags(std::string& text) {
  std::size_t kept = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('<', i);
    const std::size_t close = open == std::string::npos ? open : text.find('>', open + 1);
    if (close == std::string::npos) {
      Keep(text, kept, i, text.size());
      break;
    }
    Keep(text, kept, i, open);
    i = close + 1;
  }
  text.resize(kept);
}

}  // namespace

std::string MarkupToPlainText(std::string_view markup) {
  // One copy of the markup; the passes after the first work inside it.
  LineTagsReplaced replaced = ReplaceLineTags(markup);
  std::string& text = replaced.text;
  // Hidden sections are rare. The line ends hold no "<", so when the markup
  // opens none, neither section pass finds one: the upper-case pass could
  // only meet one joined up by the lower-case pass taking something out.
  if (replaced.sectionOpens) {
    RemoveSections(text, "<z>", "</z>");
    RemoveSections(text, "<Z>", "</Z>");
  }
  RemoveTags(text);
  return std::move(text);
}

}  // namespace lumivane
