#pragma once
// The system figures of the About window, read as they stand: the memory
// table of the kernel, the os-release file and the kernel release. Each
// gives the empty text when it cannot be read.
#include <string>

namespace lumivane {

// /proc/meminfo.
std::string ReadMemInfo();
// /etc/os-release, else /usr/lib/os-release.
std::string ReadOsRelease();
// The running kernel's release ("6.1.0-18-amd64").
std::string KernelRelease();

}  // namespace lumivane
