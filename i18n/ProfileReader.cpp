#include "i18n/ProfileReader.h"

#include "base/AsciiCase.h"
#include "base/FileIo.h"
#include "i18n/TextEncoding.h"

namespace lumivane {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
  bool inSection = false;
  while (!content.empty()) {
    const std::size_t eol = content.find('\n');
    std::string_view line = content.substr(0, eol);
    content = eol == std::string_view::npos ? std::string_view() : content.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);

    if (line.starts_with('[')) {
      const std::size_t close = line.find(']');
      const std::string_view name =
          TrimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
      inSection = SameTextAscii(name, section);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    // A line without "=" names no value.
    if (equals == std::string_view::npos) continue;
    if (!SameTextAscii(TrimBlanks(line.substr(0, equals)), key)) continue;
    const std::string_view value = Unquote(TrimBlanks(line.substr(equals + 1)));
    return std::string(CharacterPrefix(value, kMaxProfileValueLength));
  }
  return std::nullopt;
}

std::optional<std::string> ReadProfileString(const std::filesystem::path& file,
                                             std::string_view section, std::string_view key) {
  // Anything but a plain file (a folder, a pipe that would block) holds no values.
  try {
    const auto bytes = ReadFileLimited(file.string(), kMaxProfileFileBytes);
    if (!bytes) return std::nullopt;
    return FindProfileValue(TextFileToUtf8(*bytes), section, key);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

}  // namespace lumivane
