#include "app/Autostart.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "base/AsciiCase.h"
#include "base/FileIo.h"

namespace lumivane {
namespace {

// A well-formed entry is a few hundred bytes; anything far larger is not ours.
constexpr std::size_t kMaxEntryBytes = 64 * 1024;

std::string ConfigHome() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return config;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config";
}

std::string RunningProgram() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "lumivane";  // found through PATH at login
  return std::string(buffer, static_cast<size_t>(n));
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string AutostartEntryPath() {
  return ConfigHome() + "/autostart/lumivane.desktop";
}

std::string DesktopExecArgument(const std::string& programPath) {
  bool plain = !programPath.empty();
  for (const char c : programPath) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '/' || c == '.' || c == '_' || c == '+' || c == '-';
    plain = plain && safe;
  }
  std::string quoted;
  if (plain) {
    quoted = programPath;
  } else {
    // Inside double quotes, " ` $ and \ take a backslash.
    quoted = "\"";
    for (const char c : programPath) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    quoted += '"';
  }
  // Then the value's own escapes: % is a field code, \ starts an escape.
  std::string value;
  for (const char c : quoted) {
    if (c == '%')
      value += "%%";
    else if (c == '\\')
      value += "\\\\";
    else
      value += c;
  }
  return value;
}

std::string AutostartEntryText(const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Lumivane\n"
         "Comment=Your coming appointments and open tasks on the desktop\n"
         "Exec=" +
         DesktopExecArgument(programPath) +
         "\n"
         "Icon=lumivane\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

bool AutostartEntryEnables(const std::string& contents) {
  std::istringstream lines(contents);
  std::string line;
  bool inEntry = false;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (!line.empty() && line.front() == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    const auto equals = line.find('=');
    if (!inEntry || equals == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = LowerCaseAscii(Trim(line.substr(equals + 1)));
    if (key == "Hidden" && value == "true") return false;
    if (key == "X-GNOME-Autostart-enabled" && value == "false") return false;
  }
  return true;
}

bool AutostartEnabled() {
  try {
    const auto contents = ReadFileLimited(AutostartEntryPath(), kMaxEntryBytes);
    return contents && AutostartEntryEnables(*contents);
  } catch (const FileError&) {
    return false;  // a folder or a huge file there starts nothing
  }
}

void SetAutostart(bool on) {
  SetAutostart(on, RunningProgram());
}

void SetAutostart(bool on, const std::string& programPath) {
  const std::string path = AutostartEntryPath();
  if (on) {
    WriteFileAtomically(path, AutostartEntryText(programPath), 0644);
    return;
  }
  RemoveStaleTemporaries(path);
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    throw FileError("Cannot remove", path, std::strerror(errno));
}

}  // namespace lumivane
