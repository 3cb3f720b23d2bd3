#pragma once
// The translator: the display words the program writes, looked up in the
// current translation file.
#include <string>
#include <string_view>

namespace lumivane {

class TLanguage {
 public:
  // Full path of the current translation file; empty means none.
  std::string LanguageFile;

  // The text of `key` in section [Messages] of LanguageFile, or `key` itself
  // when the file, the section or the key is missing. The file is read at
  // every call, so an edited or newly chosen file counts at the next lookup.
  std::string LookupMessage(std::string_view key) const;
};

}  // namespace lumivane
