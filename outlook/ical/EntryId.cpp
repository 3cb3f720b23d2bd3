#include "outlook/ical/EntryId.h"

#include <charconv>

namespace lumivane::ical {
namespace {

constexpr char kSeparator = '\x1F';  // cannot occur in a UID or a file name we list
constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string MakeEntryID(ItemKind kind, std::string_view source, std::string_view uid,
                        std::uint32_t ordinal) {
  char ordinalText[16];
  const std::size_t ordinalSize =
      ordinal > 0 ? static_cast<std::size_t>(
                        std::to_chars(ordinalText, ordinalText + sizeof ordinalText, ordinal).ptr -
                        ordinalText)
                  : 0;
  // Every listed item gets one: written straight into its hex text.
  std::string hex(2 * (3 + source.size() + uid.size() + (ordinal > 0 ? 1 + ordinalSize : 0)), '0');
  char* out = hex.data();
  const auto put = [&out](char c) {
    const auto byte = static_cast<unsigned char>(c);
    *out++ = kDigits[byte >> 4];
    *out++ = kDigits[byte & 0x0F];
  };
  put(static_cast<char>(kind));
  put(kSeparator);
  for (const char c : source) put(c);
  put(kSeparator);
  for (const char c : uid) put(c);
  if (ordinal > 0) {
    put(kSeparator);
    for (std::size_t i = 0; i < ordinalSize; ++i) put(ordinalText[i]);
  }
  return hex;
}

std::optional<EntryKey> ParseEntryID(std::string_view entryId) {
  if (entryId.size() % 2 != 0) return std::nullopt;
  std::string plain;
  plain.reserve(entryId.size() / 2);
  for (std::size_t i = 0; i < entryId.size(); i += 2) {
    const int high = HexValue(entryId[i]);
    const int low = HexValue(entryId[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    plain += static_cast<char>(high * 16 + low);
  }
  EntryKey key;
  if (plain.size() < 2 || plain[1] != kSeparator) return std::nullopt;
  if (plain[0] == static_cast<char>(ItemKind::Appointment)) {
    key.kind = ItemKind::Appointment;
  } else if (plain[0] == static_cast<char>(ItemKind::Task)) {
    key.kind = ItemKind::Task;
  } else {
    return std::nullopt;
  }
  const std::size_t sourceEnd = plain.find(kSeparator, 2);
  if (sourceEnd == std::string::npos) return std::nullopt;
  key.source = plain.substr(2, sourceEnd - 2);
  const std::size_t uidEnd = plain.find(kSeparator, sourceEnd + 1);
  key.uid = plain.substr(sourceEnd + 1,
                         uidEnd == std::string::npos ? std::string::npos : uidEnd - sourceEnd - 1);
  if (uidEnd != std::string::npos) {
    const std::string_view digits = std::string_view(plain).substr(uidEnd + 1);
    const auto [last, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), key.ordinal);
    if (error != std::errc() || last != digits.data() + digits.size() || key.ordinal == 0) {
      return std::nullopt;
    }
  }
  return key;
}

}  // namespace lumivane::ical
