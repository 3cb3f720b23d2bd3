#include "i18n/TLanguage.h"

#include <cstdint>

#include "base/FileIo.h"
#include "base/FileSignature.h"
#include "i18n/ProfileReader.h"
#include "i18n/TextEncoding.h"

namespace lumivane {

struct TLanguage::Cache {
  std::string path;
  FileSignature signature;
  std::string text;  // UTF-8; empty when the file could not be read
  std::uint64_t reads = 0;
};

std::string TLanguage::LookupMessage(std::string_view key) const {
  if (LanguageFile.empty()) return std::string(key);
  if (!cache_) cache_ = std::make_shared<Cache>();
  Cache& cache = *cache_;
  FileSignature now;
  // Anything but a regular file (a folder, a pipe that would block) holds no values.
  if (!RegularFileSignature(LanguageFile, now)) return std::string(key);
  if (cache.path != LanguageFile || !(cache.signature == now)) {
    cache.path = LanguageFile;
    cache.signature = now;
    cache.text.clear();
    ++cache.reads;
    try {
      if (auto bytes = ReadFileLimited(LanguageFile, kMaxProfileFileBytes)) {
        cache.text = TextFileToUtf8(*bytes);
      }
    } catch (const FileError&) {
      // Too large or unreadable: a file without values.
    }
  }
  auto value = FindProfileValue(cache.text, "Messages", key);
  return value ? std::move(*value) : std::string(key);
}

std::uint64_t TLanguage::FileReads() const {
  return cache_ ? cache_->reads : 0;
}

}  // namespace lumivane
