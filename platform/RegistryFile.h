#pragma once
// The per-user typed value store, kept as a text file in the format the
// Windows registry editor exports (".reg"), so a key exported on Windows
// imports as it is. Values keep their kind (number, text, binary); a value of
// another kind than the reader asks for counts as missing.
//
// Written as UTF-8 with LF line ends, atomically. Read as UTF-8 or UTF-16
// (with or without BOM), CRLF or LF, with "\"-continued hex lines. A damaged
// line is skipped, never the whole file; values under other keys and kinds we
// do not model are kept and written back unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumivane {

enum class RegKind { Dword, String, Binary, Other };

struct RegValue {
  std::string name;
  RegKind kind = RegKind::Dword;
  std::uint32_t dword = 0;
  std::string text;                 // String: the text; Other: the raw data after "="
  std::vector<std::uint8_t> bytes;  // Binary
};

class RegistryFile {
 public:
  explicit RegistryFile(std::string keyPath);

  // Reads the text of a whole file in any of the accepted encodings.
  void Parse(std::string_view fileBytes);
  std::string Serialize() const;

  // Names compare without regard to ASCII letter case, as registry names do.
  const RegValue* Find(std::string_view name) const;
  std::optional<std::uint32_t> ReadDword(std::string_view name) const;
  std::optional<std::string> ReadString(std::string_view name) const;
  std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view name) const;

  // Replaces a value of the same name in place, or appends it.
  void Set(RegValue value);
  void SetDword(std::string_view name, std::uint32_t value);
  void SetString(std::string_view name, std::string_view value);
  void SetBinary(std::string_view name, std::vector<std::uint8_t> value);

  const std::vector<RegValue>& Values() const { return values_; }
  int SkippedLines() const { return skippedLines_; }
  // The work of every look-up since the store was made: one per probe of the
  // index, plus the names in the probed bucket (those it may compare), for
  // tests that reading stays linear in the file's size.
  std::uint64_t NameComparisons() const { return comparisons_; }

 private:
  struct ForeignSection {
    std::string header;
    std::vector<std::string> lines;
  };
  std::string keyPath_;
  // The position in values_ of each name, lower-cased (ASCII letters).
  const RegValue* Lookup(std::string_view name) const;
  void CountProbe(const std::string& key) const;
  std::vector<RegValue> values_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<ForeignSection> foreign_;
  int skippedLines_ = 0;
  mutable std::uint64_t comparisons_ = 0;
};

// The file's text as UTF-8: UTF-16 (by byte order mark or by its zero bytes),
// UTF-8, or the Windows-1252 of older editors' exports.
std::string DecodeRegText(std::string_view bytes);

}  // namespace lumivane
