#pragma once
// The texts of the About window, as plain rules over numbers and file texts:
// the program's version, the memory figures, the operating system's name.
// The platform layer reads the files; nothing here touches the system.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane {

// "a.b.c.d" to "a.b" + tail: c, or c + " SR" + d + " (Service Release " + d +
// ")" when d is above 0; a tail of "0" is dropped. Anything but four numbers
// gives the empty text.
std::string FormatProductVersion(std::string_view version);

// A byte count as "n b", "n KB" or "n MB" (from 10,240 and 10,485,760 bytes),
// rounded to a whole number and grouped by thousands with `thousandSeparator`.
std::string MemorySizeText(std::uint64_t bytes, std::string_view thousandSeparator);

// "37% Load".
std::string MemoryLoadText(int percent);

// The platform line: the name, then " (" + extra + ")" when there is an extra
// text (a service pack on Windows, the kernel release on Linux).
std::string PlatformLine(const std::string& productName, const std::string& extra);

// What the Windows version query reports, for the product-name table.
enum class WindowsPlatform { Windows95Family, NTFamily, Other };
struct WindowsVersionInfo {
  WindowsPlatform platform = WindowsPlatform::Other;
  int major = 0;
  int minor = 0;
  bool workstation = false;  // product type VER_NT_WORKSTATION
  int servicePackMajor = 0;
  std::string servicePack;        // the system's text, "Service Pack 3"
  bool serverR2 = false;          // GetSystemMetrics(SM_SERVERR2) not zero
  int processorArchitecture = 0;  // 6: Itanium-class 64-bit processor
};

// The product name of the Windows version table; empty for one it does not know.
std::string WindowsProductName(const WindowsVersionInfo& info);
// The service pack text of the platform line: NT family only; 4.0 with
// service pack 6 and hotfix Q246009 installed is "Service Pack 6a".
std::string WindowsServicePackText(const WindowsVersionInfo& info, bool hotfixQ246009);

// PRETTY_NAME of an os-release file (shell-style quoting undone); "Linux"
// when the file names none, as os-release defines.
std::string OsReleasePrettyName(std::string_view osRelease);

struct MemoryStatus {
  std::uint64_t totalBytes = 0;
  int loadPercent = 0;  // 0..100
};
// Total memory and load from /proc/meminfo: MemTotal, and 100 - MemAvailable
// * 100 / MemTotal (MemFree + Buffers + Cached on kernels without
// MemAvailable). nullopt without a usable MemTotal.
std::optional<MemoryStatus> ParseMemInfo(std::string_view memInfo);

}  // namespace lumivane
