#pragma once
// What stat says of a file: any change of its content changes it (device,
// file number, size, modification and change times in nanoseconds).
#include <cstdint>

struct stat;

namespace lumivane::ical {

struct FileSignature {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = -1;
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;
  bool operator==(const FileSignature&) const = default;
};

FileSignature SignatureOf(const struct stat& status);

}  // namespace lumivane::ical
