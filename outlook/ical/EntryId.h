#pragma once
// Entry identifiers: upper-case hexadecimal of the item's kind, its file
// (relative to the store root), its UID and the ordinal that tells apart
// components sharing a UID. Stable across refreshes, the same for every
// occurrence of a series, and read back to find the item for an item link.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outlook/ical/IcalReader.h"

namespace lumivane::ical {

struct EntryKey {
  ItemKind kind = ItemKind::Appointment;
  std::string source;
  std::string uid;
  std::uint32_t ordinal = 0;
};

std::string MakeEntryID(ItemKind kind, std::string_view source, std::string_view uid,
                        std::uint32_t ordinal);
// nullopt for a text that no MakeEntryID wrote.
std::optional<EntryKey> ParseEntryID(std::string_view entryId);

}  // namespace lumivane::ical
