#pragma once
// What stat says of a file: any change of its content changes it (device,
// file number, size, modification and change times in nanoseconds).
#include <cstdint>
#include <string>

struct stat;

namespace lumivane {

struct FileSignature {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;
  bool operator==(const FileSignature&) const = default;
};

FileSignature SignatureOf(const struct stat& status);
// The signature of a regular file (links followed); false for anything else
// or when stat fails.
bool RegularFileSignature(const std::string& path, FileSignature& signature);

}  // namespace lumivane
