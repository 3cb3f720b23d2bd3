#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lumivane {

std::string InstanceLock::PathFor(const std::string& display) {
  std::string folder;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
    folder = runtime;
  } else {
    folder = "/tmp/lumivane-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
  }
  std::string name = display.empty() ? "default" : display;
  for (char& c : name) {
    if (c == '/' || c == ':') c = '_';
  }
  return folder + "/lumivane-" + name + ".lock";
}

InstanceLock::InstanceLock(std::string path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  // O_NOFOLLOW: a link planted in a shared /tmp must not make us open another file.
  const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    throw std::runtime_error("Cannot open the instance lock " + path_ + ": " +
                             std::strerror(errno));
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace lumivane
