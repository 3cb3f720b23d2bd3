#pragma once
// Whole files in and out, safely: reads only regular files and never more
// than a limit (a FIFO, a device or a huge file is refused, not waited on or
// swallowed); writes through a temporary file that is flushed and renamed over
// the target, so a reader or a crash never meets half a file.
#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace lumivane {

// A file that could not be read or written; the text names the file and the
// system's reason.
class FileError : public std::runtime_error {
 public:
  FileError(std::string_view what, const std::string& path, std::string reason)
      : std::runtime_error(std::string(what) + " " + path + ": " + reason),
        reason_(std::move(reason)) {}
  // The cause alone ("No such file or directory", "not a regular file", ...).
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

// A regular file, symbolic links followed.
bool IsRegularFile(const std::string& path);

// The whole file, or std::nullopt when it does not exist. Throws FileError
// when it is not a regular file (links are followed), is larger than
// `maxBytes`, or cannot be read.
std::optional<std::string> ReadFileLimited(const std::string& path, std::size_t maxBytes);
// The same into a buffer the caller keeps, so its capacity serves the next
// read; false when the file does not exist.
bool ReadFileInto(const std::string& path, std::size_t maxBytes, std::string& buffer);

// Bytes in a block shared by whoever keeps a part of them.
struct SharedBytes {
  std::shared_ptr<const char[]> block;
  std::size_t size = 0;

  std::string_view View() const { return {block.get(), size}; }
  // A copy of these bytes in a block of their own.
  static SharedBytes Of(std::string_view bytes);
};

// The same as ReadFileLimited, into a shared block that is not filled with
// zeros before the read: for a large file whose parts are kept.
std::optional<SharedBytes> ReadFileShared(const std::string& path, std::size_t maxBytes);

// Creates missing folders (mode 0700), writes a temporary file beside the
// target (named after it with a random suffix), flushes it to disk, renames it
// over the target and flushes the folder, so a failure at any point leaves the
// previous file intact and no temporary behind. Throws FileError.
// A file that is only a cache, whose reader checks it whole, may skip the
// flushes (which cost more than the write): after a crash it may be cut short
// or empty, never a mix of two versions seen as valid.
enum class Flush { ToDisk, Skip };
void WriteFileAtomically(const std::string& path, std::string_view contents, mode_t mode = 0600,
                         Flush flush = Flush::ToDisk);

// Removes the temporaries that an interrupted WriteFileAtomically of `path`
// left behind (a kill between creating and renaming). Returns how many.
int RemoveStaleTemporaries(const std::string& path);

}  // namespace lumivane
