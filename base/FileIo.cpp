#include "base/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "base/FileListing.h"
#include "base/LargeBlocks.h"

namespace lumivane {
namespace {

// mkstemp's six random letters and digits.
constexpr std::string_view kTemporarySuffix = ".XXXXXX";

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void MakeFolders(const std::string& folder) {
  if (folder.empty() || folder == "/" || folder == ".") return;
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) return;
  const size_t slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0) MakeFolders(folder.substr(0, slash));
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    throw FileError("Cannot create the folder", folder, std::strerror(errno));
  }
}

bool WriteAll(int fd, std::string_view contents) {
  size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool IsTemporaryOf(std::string_view name, std::string_view base) {
  if (name.size() != base.size() + kTemporarySuffix.size()) return false;
  if (name.substr(0, base.size()) != base || name[base.size()] != '.') return false;
  for (const char c : name.substr(base.size() + 1)) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

std::string TooLarge(std::size_t maxBytes) {
  return "larger than " + std::to_string(maxBytes) + " bytes";
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// Reads a whole file through `grow(size, kept)`, which gives a buffer of
// `size` bytes holding the first `kept` bytes read so far; the size read, or
// std::nullopt when the file does not exist.
template <typename Grow>
std::optional<std::size_t> ReadWholeFile(const std::string& path, std::size_t maxBytes, Grow grow) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError("Cannot read", path, std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileError("Cannot read", path, std::strerror(errno));
  if (!S_ISREG(st.st_mode)) throw FileError("Cannot read", path, "not a regular file");
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    throw FileError("Cannot read", path, TooLarge(maxBytes));
  }
  // One byte more than stat said, so the end shows without growing the buffer.
  std::size_t size = static_cast<size_t>(st.st_size) + 1;
  char* buffer = grow(size, 0);
  size_t done = 0;
  for (;;) {
    // The file may grow while it is read: read on to the limit, no further.
    if (done == size) {
      if (size > maxBytes) break;
      size = std::min(maxBytes + 1, size * 2);
      buffer = grow(size, done);
    }
    const ssize_t n = ::read(fd.get(), buffer + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot read", path, std::strerror(errno));
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  if (done > maxBytes) throw FileError("Cannot read", path, TooLarge(maxBytes));
  return done;
}

}  // namespace

bool ReadFileInto(const std::string& path, std::size_t maxBytes, std::string& buffer) {
  const auto size = ReadWholeFile(path, maxBytes, [&buffer](std::size_t bytes, std::size_t) {
    buffer.resize(bytes);
    return buffer.data();
  });
  if (!size) return false;
  buffer.resize(*size);
  return true;
}

SharedBytes SharedBytes::Of(std::string_view bytes) {
  auto block = std::make_shared_for_overwrite<char[]>(bytes.size());
  std::memcpy(block.get(), bytes.data(), bytes.size());
  return {std::move(block), bytes.size()};
}

namespace {

// A large block comes in huge pages where the system allows (LargeBlocks):
// a few faults instead of a thousand for a large file read whole.
std::shared_ptr<char[]> NewBlock(std::size_t bytes) {
  if (bytes < kLargeBlockBytes) return std::make_shared_for_overwrite<char[]>(bytes);
  return std::shared_ptr<char[]>(static_cast<char*>(AllocateBlock(bytes)),
                                 [bytes](char* block) { ReleaseBlock(block, bytes); });
}

}  // namespace

std::optional<SharedBytes> ReadFileShared(const std::string& path, std::size_t maxBytes) {
  std::shared_ptr<char[]> block;
  const auto size = ReadWholeFile(path, maxBytes, [&block](std::size_t bytes, std::size_t kept) {
    auto larger = NewBlock(bytes);
    if (kept > 0) std::memcpy(larger.get(), block.get(), kept);
    block = std::move(larger);
    return block.get();
  });
  if (!size) return std::nullopt;
  return SharedBytes{std::move(block), *size};
}

std::optional<std::string> ReadFileLimited(const std::string& path, std::size_t maxBytes) {
  std::string data;
  if (!ReadFileInto(path, maxBytes, data)) return std::nullopt;
  return data;
}

void WriteFileAtomically(const std::string& path, std::string_view contents, mode_t mode,
                         Flush flush) {
  const std::string folder = FolderOf(path);
  MakeFolders(folder);
  std::string temp = path + std::string(kTemporarySuffix);
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw FileError("Cannot write", path, std::strerror(errno));
  bool ok = WriteAll(fd, contents);
  if (ok && ::fchmod(fd, mode) != 0) ok = false;
  if (ok && flush == Flush::ToDisk && ::fsync(fd) != 0) ok = false;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    throw FileError("Cannot write", path, std::strerror(error));
  }
  if (flush == Flush::Skip) return;
  // Make the rename itself durable.
  const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
}

int RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = FolderOf(path);
  const size_t slash = path.find_last_of('/');
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  int removed = 0;
  for (const std::string& name : FolderEntryNames(folder, false)) {
    if (!IsTemporaryOf(name, base)) continue;
    const std::string full = folder + "/" + name;
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0) {
      ++removed;
    }
  }
  return removed;
}

}  // namespace lumivane
