#include "i18n/TLanguage.h"

#include <sys/stat.h>

#include <cstdint>

#include "base/FileIo.h"
#include "i18n/ProfileReader.h"
#include "i18n/TextEncoding.h"

namespace lumivane {

struct TLanguage::Cache {
  struct Signature {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const Signature&) const = default;
  };
  std::string path;
  Signature signature;
  std::string text;  // UTF-8; empty when the file could not be read
  std::uint64_t reads = 0;
};

namespace {

bool SignatureOf(const std::string& path, TLanguage::Cache::Signature& signature);

}  // namespace

std::string TLanguage::LookupMessage(std::string_view key) const {
  if (LanguageFile.empty()) return std::string(key);
  if (!cache_) cache_ = std::make_shared<Cache>();
  Cache& cache = *cache_;
  Cache::Signature now;
  // Anything but a regular file (a folder, a pipe that would block) holds no values.
  if (!SignatureOf(LanguageFile, now)) return std::string(key);
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

namespace {

bool SignatureOf(const std::string& path, TLanguage::Cache::Signature& signature) {
  struct stat s {};
  if (::stat(path.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) return false;
  signature = {static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
               static_cast<std::int64_t>(s.st_size),
               static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
               static_cast<std::int64_t>(s.st_ctim.tv_sec) * 1000000000 + s.st_ctim.tv_nsec};
  return true;
}

}  // namespace

}  // namespace lumivane
