#pragma once
// Reading a picture file that markup names with "FILE://". Markup can come
// from other people (an invitation's subject), so only a regular file of
// limited size is read: never a FIFO, a device or a directory, whose reading
// could hang the display or have effects of its own.
#include <cstddef>
#include <optional>
#include <string>

namespace lumivane {

inline constexpr std::size_t kMaxPictureFileBytes = 4 * 1024 * 1024;

// The file's bytes; nullopt when it is missing, not a regular file (symbolic
// links are followed), larger than `maxBytes` or unreadable.
std::optional<std::string> ReadPictureFile(const std::string& path,
                                           std::size_t maxBytes = kMaxPictureFileBytes);

}  // namespace lumivane
