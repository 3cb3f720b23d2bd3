#pragma once
// The translator: the display words the program writes, looked up in the
// current translation file.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lumivane {

class TLanguage {
 public:
  // Full path of the current translation file; empty means none.
  std::string LanguageFile;

  // The text of `key` in section [Messages] of LanguageFile, or `key` itself
  // when the file, the section or the key is missing. An edited or newly
  // chosen file counts at the next lookup: the file is read again when what
  // stat says of it changed, and only then, so a refresh's lookups read a
  // changed file once.
  std::string LookupMessage(std::string_view key) const;

  // How many times a translation file was read (for tests of the rule above).
  std::uint64_t FileReads() const;

  // What was last read (defined in the .cpp).
  struct Cache;

 private:
  // Shared by copies; a lookup only replaces what it holds.
  mutable std::shared_ptr<Cache> cache_;
};

}  // namespace lumivane
