#include "display/markup/PictureFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumivane {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

bool IsSmallRegularFile(const struct stat& info, std::size_t maxBytes) {
  return S_ISREG(info.st_mode) && info.st_size >= 0 &&
         static_cast<std::size_t>(info.st_size) <= maxBytes;
}

}  // namespace

std::optional<std::string> ReadPictureFile(const std::string& path, std::size_t maxBytes) {
  if (path.empty()) return std::nullopt;
  // Look before opening: opening some devices already does something.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !IsSmallRegularFile(info, maxBytes)) {
    return std::nullopt;
  }
  // Non-blocking, and checked again on the open file, in case the name was
  // swapped for something else in between.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  if (::fstat(file.get(), &info) != 0 || !IsSmallRegularFile(info, maxBytes)) {
    return std::nullopt;
  }

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    // A file that grew past the limit while being read is refused too.
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return std::nullopt;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

}  // namespace lumivane
