#include "dialogs/AboutTexts.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace lumivane {
namespace {

// A whole decimal number, an optional minus sign first, nothing else.
std::optional<long long> ParseWhole(std::string_view text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::string Grouped(std::uint64_t value, std::string_view separator) {
  std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// One os-release value: "double quoted" with backslash escapes, 'single
// quoted' as written, or bare.
std::string Unquote(std::string_view value) {
  std::string out;
  char quote = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (quote == 0 && (c == '"' || c == '\'')) {
      quote = c;
    } else if (quote != 0 && c == quote) {
      quote = 0;
    } else if (c == '\\' && quote != '\'' && i + 1 < value.size()) {
      out += value[++i];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatProductVersion(std::string_view version) {
  const auto parts = Split(version, '.');
  if (parts.size() != 4) return {};
  long long numbers[4];
  for (int i = 0; i < 4; ++i) {
    const auto number = ParseWhole(parts[static_cast<std::size_t>(i)]);
    if (!number) return {};
    numbers[i] = *number;
  }
  const std::string c = std::to_string(numbers[2]);
  const std::string d = std::to_string(numbers[3]);
  std::string tail = numbers[3] <= 0 ? c : c + " SR" + d + " (Service Release " + d + ")";
  if (tail == "0") tail.clear();
  return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + tail;
}

std::string MemorySizeText(std::uint64_t bytes, std::string_view thousandSeparator) {
  if (bytes < 10240) return Grouped(bytes, thousandSeparator) + " b";
  const bool kilo = bytes < 10485760;
  const double scaled = static_cast<double>(bytes) / (kilo ? 1024.0 : 1048576.0);
  const auto rounded = static_cast<std::uint64_t>(std::llround(scaled));
  return Grouped(rounded, thousandSeparator) + (kilo ? " KB" : " MB");
}

std::string MemoryLoadText(int percent) {
  return std::to_string(percent) + "% Load";
}

std::string PlatformLine(const std::string& productName, const std::string& extra) {
  return extra.empty() ? productName : productName + " (" + extra + ")";
}

std::string WindowsProductName(const WindowsVersionInfo& info) {
  const int major = info.major;
  const int minor = info.minor;
  const char second = info.servicePack.size() > 1 ? info.servicePack[1] : '\0';
  std::string name;
  if (info.platform == WindowsPlatform::Windows95Family) {
    if (major == 4 && minor == 0) {
      name = second == 'C' || second == 'B' ? "Microsoft Windows 95 OSR2" : "Microsoft Windows 95";
    } else if (major == 4 && minor == 10) {
      name = second == 'A' || second == 'B' ? "Microsoft Windows 98 SE" : "Microsoft Windows 98";
    } else if (major == 4 && minor == 90) {
      name = "Microsoft Windows Millennium Edition";
    }
  } else if (info.platform == WindowsPlatform::NTFamily) {
    // A later matching test replaces an earlier result.
    if (major == 6 && minor == 0) {
      name = info.workstation ? "Microsoft Windows Vista" : "Microsoft Windows Server 2008";
    }
    if (major == 5 && minor == 2) {
      if (info.serverR2) {
        name = "Microsoft Windows Server 2003 \"R2\"";
      } else if (info.processorArchitecture == 6 && info.workstation) {
        name = "Microsoft Windows XP Professional x64 Edition";
      } else {
        name = "Microsoft Windows Server 2003";
      }
    }
    if (major == 5 && minor == 1) name = "Microsoft Windows XP";
    if (major == 5 && minor == 0) name = "Microsoft Windows 2000";
    if (major <= 4) name = "Microsoft Windows NT";
    if (major == 6 && minor == 1) name = "Microsoft Windows 7";
  }
  return name;
}

std::string WindowsServicePackText(const WindowsVersionInfo& info, bool hotfixQ246009) {
  if (info.platform != WindowsPlatform::NTFamily) return {};
  if (info.major == 4 && info.minor == 0 && info.servicePackMajor == 6 && hotfixQ246009) {
    return "Service Pack 6a";
  }
  return info.servicePack;
}

std::string OsReleasePrettyName(std::string_view osRelease) {
  std::string name;
  for (std::string_view line : Split(osRelease, '\n')) {
    line = Trim(line);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos) continue;
    // The last assignment wins, as in the shell that may source the file.
    if (Trim(line.substr(0, equals)) == "PRETTY_NAME") name = Unquote(line.substr(equals + 1));
  }
  return name.empty() ? "Linux" : name;
}

std::optional<MemoryStatus> ParseMemInfo(std::string_view memInfo) {
  std::optional<std::uint64_t> total, available, free, buffers, cached;
  for (std::string_view line : Split(memInfo, '\n')) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, colon);
    std::string_view rest = Trim(line.substr(colon + 1));
    std::uint64_t factor = 1;
    if (rest.size() > 3 && rest.substr(rest.size() - 3) == " kB") {
      factor = 1024;
      rest = Trim(rest.substr(0, rest.size() - 3));
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || end != rest.data() + rest.size()) continue;
    if (value > UINT64_MAX / factor) continue;
    value *= factor;
    if (key == "MemTotal") total = value;
    if (key == "MemAvailable") available = value;
    if (key == "MemFree") free = value;
    if (key == "Buffers") buffers = value;
    if (key == "Cached") cached = value;
  }
  if (!total || *total == 0) return std::nullopt;
  std::uint64_t avail = 0;
  if (available) {
    avail = *available;
  } else {
    avail = free.value_or(0) + buffers.value_or(0) + cached.value_or(0);
  }
  if (avail > *total) avail = *total;
  // In whole percent of the total, without overflowing on huge machines.
  const auto percentFree = static_cast<int>(static_cast<long double>(avail) * 100 / *total);
  return MemoryStatus{*total, 100 - percentFree};
}

}  // namespace lumivane
