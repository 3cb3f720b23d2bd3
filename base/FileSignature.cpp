#include "base/FileSignature.h"

#include <sys/stat.h>

namespace lumivane {

FileSignature SignatureOf(const struct stat& s) {
  return {static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino),
          static_cast<std::int64_t>(s.st_size),
          static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
          static_cast<std::int64_t>(s.st_ctim.tv_sec) * 1000000000 + s.st_ctim.tv_nsec};
}

bool RegularFileSignature(const std::string& path, FileSignature& signature) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  signature = SignatureOf(status);
  return true;
}

}  // namespace lumivane
