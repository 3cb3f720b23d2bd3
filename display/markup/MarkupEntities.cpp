#include "display/markup/MarkupEntities.h"

#include <array>

#include "base/AsciiCase.h"

namespace lumivane {
namespace {

struct Entity {
  std::string_view name;  // without the leading "&"
  std::string_view text;  // UTF-8
};

constexpr std::string_view kAmpName = "amp;";

constexpr std::array<Entity, 9> kEntities{{
    {kAmpName, "&"},
    {"quot;", "\""},
    {"sect;", "\xC2\xA7"},
    {"permil;", "\xE2\x80\xB0"},
    {"reg;", "\xC2\xAE"},
    {"copy;", "\xC2\xA9"},
    {"para;", "\xC2\xB6"},
    {"trade;", "\xE2\x84\xA2"},
    {"euro;", "\xE2\x82\xAC"},
}};

const Entity* EntityAt(std::string_view text, std::size_t at) {
  for (const Entity& entity : kEntities) {
    if (StartsWithTextAscii(text, entity.name, at)) return &entity;
  }
  return nullptr;
}

}  // namespace

std::string ExpandEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  // An "&" read or produced but not written yet: with the text after it, it may
  // still form an entity.
  bool ampersand = false;
  for (;;) {
    if (ampersand) {
      const Entity* entity = EntityAt(text, i);
      ampersand = false;
      if (entity == nullptr) {
        out += '&';
      } else if (entity->name == kAmpName) {
        i += entity->name.size();
        ampersand = true;
      } else {
        out += entity->text;
        i += entity->name.size();
      }
      continue;
    }
    if (i >= text.size()) break;
    const std::size_t next = text.find('&', i);
    const std::size_t stop = next == std::string_view::npos ? text.size() : next;
    out.append(text.substr(i, stop - i));
    i = stop;
    if (i < text.size()) {
      ampersand = true;
      ++i;
    }
  }
  return out;
}

std::string PreprocessMarkup(std::string_view text) {
  std::string expanded =
      text.find('&') == std::string_view::npos ? std::string(text) : ExpandEntities(text);

  const std::size_t open = expanded.find("<#");
  if (open != std::string::npos) {
    const std::size_t close = expanded.find('>', open + 1);
    if (close != std::string::npos) expanded.erase(close, 1);
    expanded.erase(open, 1);
  }

  // A refresh's markup is long and seldom holds a line end: two quick scans
  // tell, and then it is taken as it is.
  if (expanded.find('\r') == std::string::npos && expanded.find('\n') == std::string::npos) {
    return expanded;
  }
  std::size_t end = expanded.find_first_of("\r\n");
  std::string out;
  out.reserve(expanded.size());
  std::size_t start = 0;
  for (; end != std::string::npos; start = end + 1, end = expanded.find_first_of("\r\n", start)) {
    out.append(expanded, start, end - start);
    if (expanded[end] == '\r') out += "<BR>";
  }
  out.append(expanded, start);
  return out;
}

std::string DecodeRunEntities(std::string_view run) {
  std::string out;
  out.reserve(run.size());
  std::size_t i = 0;
  for (std::size_t amp = run.find('&'); amp != std::string_view::npos; amp = run.find('&', i)) {
    out.append(run.substr(i, amp - i));  // the text before it, whole
    i = amp;
    if (run.substr(i, 6) == "&nbsp;") {
      out += ' ';
      i += 6;
    } else if (run.substr(i, 4) == "&lt;") {
      out += '<';
      i += 4;
    } else if (run.substr(i, 4) == "&gt;") {
      out += '>';
      i += 4;
    } else {
      out += '&';
      ++i;
    }
  }
  out.append(run.substr(i));
  return out;
}

}  // namespace lumivane
