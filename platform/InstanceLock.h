#pragma once
// One running copy per user and display: a lock file in the user's runtime
// folder, held for the life of the process and freed by the kernel after a
// crash.
#include <string>

namespace lumivane {

class InstanceLock {
 public:
  // The lock file's path for a display name such as ":0" or "wayland-0".
  static std::string PathFor(const std::string& display);

  explicit InstanceLock(std::string path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process now holds the lock; false when another one does.
  // Throws std::runtime_error when the file cannot be opened at all.
  bool TryAcquire();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace lumivane
