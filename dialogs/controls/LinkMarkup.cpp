#include "dialogs/controls/LinkMarkup.h"

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

enum class Tag { None, Bold, EndBold, Link, EndLink };

// The tag at the start of `text`, and its length.
std::pair<Tag, std::size_t> TagAt(std::string_view text) {
  static constexpr std::pair<std::string_view, Tag> kTags[] = {
      {"<b>", Tag::Bold}, {"</b>", Tag::EndBold}, {"<link>", Tag::Link}, {"</link>", Tag::EndLink}};
  for (const auto& [name, tag] : kTags) {
    if (text.size() >= name.size() && SameTextAscii(text.substr(0, name.size()), name)) {
      return {tag, name.size()};
    }
  }
  return {Tag::None, 0};
}

}  // namespace

std::vector<LinkRun> ParseLinkMarkup(std::string_view caption) {
  std::vector<LinkRun> runs;
  LinkRun current;
  int links = 0;
  auto flush = [&] {
    if (!current.text.empty()) runs.push_back(current);
    current.text.clear();
  };
  for (std::size_t i = 0; i < caption.size();) {
    const auto [tag, length] =
        caption[i] == '<' ? TagAt(caption.substr(i)) : std::pair{Tag::None, std::size_t{0}};
    if (tag == Tag::None) {
      current.text += caption[i++];
      continue;
    }
    flush();
    switch (tag) {
      case Tag::Bold:
        current.bold = true;
        break;
      case Tag::EndBold:
        current.bold = false;
        break;
      case Tag::Link:
        // A link inside a link goes on as the same link.
        if (current.link < 0) current.link = links++;
        break;
      case Tag::EndLink:
        current.link = -1;
        break;
      case Tag::None:
        break;
    }
    i += length;
  }
  flush();
  return runs;
}

std::vector<std::string> LinkTexts(const std::vector<LinkRun>& runs) {
  std::vector<std::string> texts;
  for (const LinkRun& run : runs) {
    if (run.link < 0) continue;
    if (static_cast<std::size_t>(run.link) >= texts.size())
      texts.resize(static_cast<std::size_t>(run.link) + 1);
    texts[static_cast<std::size_t>(run.link)] += run.text;
  }
  return texts;
}

}  // namespace lumivane
