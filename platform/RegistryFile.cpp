#include "platform/RegistryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/AsciiCase.h"
#include "i18n/TextEncoding.h"

namespace lumivane {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "Name" at the start of a line: the name with \\ and \" unescaped, and the
// position after the closing quote; npos when the quotes do not close.
size_t ReadQuoted(std::string_view line, size_t start, std::string& out) {
  out.clear();
  for (size_t i = start + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
      out += line[++i];
    } else if (c == '"') {
      return i + 1;
    } else {
      out += c;
    }
  }
  return std::string_view::npos;
}

std::optional<std::vector<std::uint8_t>> ReadHexBytes(std::string_view data) {
  std::vector<std::uint8_t> bytes;
  data = Trim(data);
  if (data.empty()) return bytes;
  size_t pos = 0;
  while (pos <= data.size()) {
    const size_t comma = data.find(',', pos);
    const std::string_view item = Trim(
        data.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
    if (item.empty() || item.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : item) {
      const int h = HexValue(c);
      if (h < 0) return std::nullopt;
      value = value * 16 + h;
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  return bytes;
}

// One logical value line: "Name"=data. Returns false for a damaged line.
bool ParseValueLine(std::string_view line, RegValue& value, bool& deleted) {
  deleted = false;
  size_t pos = ReadQuoted(line, 0, value.name);
  if (pos == std::string_view::npos) return false;
  std::string_view rest = Trim(line.substr(pos));
  if (rest.empty() || rest.front() != '=') return false;
  rest = Trim(rest.substr(1));
  if (rest == "-") {
    deleted = true;
    return true;
  }
  if (!rest.empty() && rest.front() == '"') {
    const size_t end = ReadQuoted(rest, 0, value.text);
    if (end == std::string_view::npos || !Trim(rest.substr(end)).empty()) return false;
    value.kind = RegKind::String;
    return true;
  }
  const size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view type = rest.substr(0, colon);
  const std::string_view data = rest.substr(colon + 1);
  if (SameTextAscii(type, "dword")) {
    const std::string_view digits = Trim(data);
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t number = 0;
    for (char c : digits) {
      const int h = HexValue(c);
      if (h < 0) return false;
      number = number * 16 + static_cast<std::uint32_t>(h);
    }
    value.kind = RegKind::Dword;
    value.dword = number;
    return true;
  }
  if (SameTextAscii(type, "hex")) {
    auto bytes = ReadHexBytes(data);
    if (!bytes) return false;
    value.kind = RegKind::Binary;
    value.bytes = std::move(*bytes);
    return true;
  }
  if (type.size() > 4 && SameTextAscii(type.substr(0, 4), "hex(") && type.back() == ')') {
    if (!ReadHexBytes(data)) return false;
    value.kind = RegKind::Other;
    value.text = std::string(rest);
    return true;
  }
  return false;
}

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    // A line break cannot stand inside a value line of this format.
    out += (c == '\n' || c == '\r') ? ' ' : c;
  }
  return out;
}

std::string FormatValue(const RegValue& v) {
  std::string line = "\"" + Escape(v.name) + "\"=";
  switch (v.kind) {
    case RegKind::Dword: {
      char digits[16];
      std::snprintf(digits, sizeof digits, "dword:%08x", v.dword);
      line += digits;
      break;
    }
    case RegKind::String:
      line += "\"" + Escape(v.text) + "\"";
      break;
    case RegKind::Binary: {
      line += "hex:";
      for (size_t i = 0; i < v.bytes.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", v.bytes[i]);
        line += byte;
      }
      break;
    }
    case RegKind::Other:
      line += v.text;
      break;
  }
  return line;
}

}  // namespace

std::string DecodeRegText(std::string_view bytes) {
  // UTF-16 without a byte order mark: the high bytes of its ASCII characters
  // are zero. Everything else (byte order marks, UTF-8, the ANSI files of
  // older editors) is what text files are.
  if (bytes.size() >= 4 && bytes[0] != 0 && bytes[1] == 0 && bytes[3] == 0) {
    return Utf16ToUtf8(bytes, false);
  }
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] != 0 && bytes[2] == 0) {
    return Utf16ToUtf8(bytes, true);
  }
  return TextFileToUtf8(bytes);
}

RegistryFile::RegistryFile(std::string keyPath) : keyPath_(std::move(keyPath)) {}

void RegistryFile::Parse(std::string_view fileBytes) {
  values_.clear();
  index_.clear();
  foreign_.clear();
  skippedLines_ = 0;
  const std::string text = DecodeRegText(fileBytes);

  // Split into logical lines, joining lines continued by a trailing backslash.
  std::vector<std::string> lines;
  std::string pending;
  bool continuing = false;
  std::istringstream in(text);
  for (std::string raw; std::getline(in, raw);) {
    std::string_view line = raw;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (continuing) line = Trim(line);
    // Only hex data is continued; a text value ending in a backslash is a
    // complete line whose closing quote follows the backslash.
    const bool hexLine = continuing || (line.find("=hex") != std::string_view::npos);
    if (hexLine && !line.empty() && line.back() == '\\') {
      pending += std::string(line.substr(0, line.size() - 1));
      continuing = true;
      continue;
    }
    pending += std::string(line);
    lines.push_back(std::move(pending));
    pending.clear();
    continuing = false;
  }
  if (!pending.empty()) lines.push_back(std::move(pending));

  enum class Where { Before, OurKey, Foreign } where = Where::Before;
  for (const std::string& full : lines) {
    const std::string_view line = Trim(full);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') {
        ++skippedLines_;
        continue;
      }
      if (SameTextAscii(line.substr(1, line.size() - 2), keyPath_)) {
        where = Where::OurKey;
      } else {
        where = Where::Foreign;
        foreign_.push_back({std::string(line), {}});
      }
      continue;
    }
    if (where == Where::Before) {
      if (line == kHeader || line == "REGEDIT4") continue;
      ++skippedLines_;
      continue;
    }
    if (where == Where::Foreign) {
      foreign_.back().lines.emplace_back(line);
      continue;
    }
    RegValue value;
    bool deleted = false;
    if (!ParseValueLine(line, value, deleted) || value.name.empty()) {
      ++skippedLines_;
      continue;
    }
    if (deleted) continue;
    Set(std::move(value));
  }
}

std::string RegistryFile::Serialize() const {
  std::string out(kHeader);
  out += "\n\n[" + keyPath_ + "]\n";
  for (const RegValue& v : values_) out += FormatValue(v) + "\n";
  for (const ForeignSection& section : foreign_) {
    out += "\n" + section.header + "\n";
    for (const std::string& line : section.lines) out += line + "\n";
  }
  return out;
}

void RegistryFile::CountProbe(const std::string& key) const {
  // The probe, and the names it may compare: those in the key's bucket.
  ++comparisons_;
  if (index_.bucket_count() > 0) comparisons_ += index_.bucket_size(index_.bucket(key));
}

const RegValue* RegistryFile::Lookup(std::string_view name) const {
  const std::string key = LowerCaseAscii(name);
  CountProbe(key);
  const auto found = index_.find(key);
  if (found == index_.end()) return nullptr;
  return &values_[found->second];
}

const RegValue* RegistryFile::Find(std::string_view name) const {
  return Lookup(name);
}

std::optional<std::uint32_t> RegistryFile::ReadDword(std::string_view name) const {
  const RegValue* v = Find(name);
  if (!v || v->kind != RegKind::Dword) return std::nullopt;
  return v->dword;
}

std::optional<std::string> RegistryFile::ReadString(std::string_view name) const {
  const RegValue* v = Find(name);
  if (!v || v->kind != RegKind::String) return std::nullopt;
  return v->text;
}

std::optional<std::vector<std::uint8_t>> RegistryFile::ReadBinary(std::string_view name) const {
  const RegValue* v = Find(name);
  if (!v || v->kind != RegKind::Binary) return std::nullopt;
  return v->bytes;
}

void RegistryFile::Set(RegValue value) {
  // The index makes a file of n values cost n look-ups, not n squared.
  std::string key = LowerCaseAscii(value.name);
  CountProbe(key);
  const auto [slot, added] = index_.try_emplace(std::move(key), values_.size());
  if (!added) {
    values_[slot->second] = std::move(value);
    return;
  }
  values_.push_back(std::move(value));
}

void RegistryFile::SetDword(std::string_view name, std::uint32_t value) {
  RegValue v;
  v.name = std::string(name);
  v.kind = RegKind::Dword;
  v.dword = value;
  Set(std::move(v));
}

void RegistryFile::SetString(std::string_view name, std::string_view value) {
  RegValue v;
  v.name = std::string(name);
  v.kind = RegKind::String;
  v.text = std::string(value);
  Set(std::move(v));
}

void RegistryFile::SetBinary(std::string_view name, std::vector<std::uint8_t> value) {
  RegValue v;
  v.name = std::string(name);
  v.kind = RegKind::Binary;
  v.bytes = std::move(value);
  Set(std::move(v));
}

}  // namespace lumivane
