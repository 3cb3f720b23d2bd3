#include "platform/SystemInfo.h"

#include <sys/utsname.h>

#include "base/FileIo.h"

namespace lumivane {
namespace {

// Both files are a few kilobytes; anything larger is not what we look for.
constexpr std::size_t kMaxBytes = 64 * 1024;

std::optional<std::string> ReadQuietly(const std::string& path) {
  try {
    return ReadFileLimited(path, kMaxBytes);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string ReadMemInfo() {
  return ReadQuietly("/proc/meminfo").value_or(std::string());
}

std::string ReadOsRelease() {
  if (auto text = ReadQuietly("/etc/os-release")) return *text;
  return ReadQuietly("/usr/lib/os-release").value_or(std::string());
}

std::string KernelRelease() {
  struct utsname name {};
  if (::uname(&name) != 0) return {};
  return name.release;
}

}  // namespace lumivane
