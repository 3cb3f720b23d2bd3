#pragma once
// The entity pre-processing written the slow, literal way: sweeps that each
// replace the first occurrence (any case) of every entity in turn, repeated
// until a sweep replaces nothing. Tests and the fuzzer hold the one-pass
// ExpandEntities against it.
#include <string>
#include <utility>

#include "base/AsciiCase.h"

namespace lumivane {

inline std::string EntitySweeps(std::string text) {
  static const std::pair<std::string, std::string> kEntities[] = {
      {"&amp;", "&"},
      {"&quot;", "\""},
      {"&sect;", "\xC2\xA7"},
      {"&permil;", "\xE2\x80\xB0"},
      {"&reg;", "\xC2\xAE"},
      {"&copy;", "\xC2\xA9"},
      {"&para;", "\xC2\xB6"},
      {"&trade;", "\xE2\x84\xA2"},
      {"&euro;", "\xE2\x82\xAC"},
  };
  if (text.find('&') == std::string::npos) return text;
  for (bool replaced = true; replaced;) {
    replaced = false;
    for (const auto& [name, replacement] : kEntities) {
      const std::size_t at = UpperCaseAscii(text).find(UpperCaseAscii(name));
      if (at == std::string::npos) continue;
      text.replace(at, name.size(), replacement);
      replaced = true;
    }
  }
  return text;
}

}  // namespace lumivane
