#include "display/markup/MarkupPlainText.h"

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

std::string ReplaceTagNoCase(std::string_view text, std::string_view tag, std::string_view by) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t next = text.find('<', i);
    if (next == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, next - i));
    if (StartsWithTextAscii(text, tag, next)) {
      out.append(by);
      i = next + tag.size();
    } else {
      out += '<';
      i = next + 1;
    }
  }
  return out;
}

std::string RemoveSections(std::string_view text, std::string_view open, std::string_view close) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = text.find(open, i);
    if (start == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, start - i));
    const std::size_t end = text.find(close, start + open.size());
    if (end == std::string_view::npos) break;
    i = end + close.size();
  }
  return out;
}

std::string RemoveTags(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t open = text.find('<', i);
    if (open == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, open - i));
    const std::size_t close = text.find('>', open + 1);
    if (close == std::string_view::npos) {
      out.append(text.substr(open));
      break;
    }
    i = close + 1;
  }
  return out;
}

}  // namespace

std::string MarkupToPlainText(std::string_view markup) {
  std::string text = ReplaceTagNoCase(markup, "<BR>", "\r\n");
  text = ReplaceTagNoCase(text, "<HR>", "\r\n");
  text = RemoveSections(text, "<z>", "</z>");
  text = RemoveSections(text, "<Z>", "</Z>");
  return RemoveTags(text);
}

}  // namespace lumivane
