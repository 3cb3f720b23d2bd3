#pragma once
// Reading one iCalendar file into our compact records (the adapter between
// libical's parse tree and the server). VEVENTs become appointments, VTODOs
// tasks; a component that cannot be read (no DTSTART, a broken date, a broken
// rule) is skipped, and a cancelled one is no item.
#include <cstdint>
#include <string>
#include <string_view>

#include "outlook/ical/CalendarRecords.h"
#include "outlook/ical/ZoneCache.h"

namespace lumivane::ical {

// What one read handed to libical, for tests of the reader's cost.
struct ReadCounts {
  std::size_t parses = 0;  // texts handed to libical's parser
  std::size_t bytes = 0;   // their total length
};

// fileName names the file in the AutomationError raised for a text that is
// not iCalendar at all, or not one the reader takes (a text over the limits
// of IcalTextScreen.h that is no plain calendar). An empty file holds no
// items. A component over those limits is skipped and counted.
SourceContent ReadCalendar(const std::string& text, const std::string& fileName, ZoneCache& zones,
                           ReadCounts* counts = nullptr);

enum class ItemKind : char { Appointment = 'E', Task = 'T' };

// A calendar holding just the item (with its moved instances) and the zone
// definitions of the file, for handing one item to a calendar program.
// Empty when the file holds no such item.
std::string ExtractItemCalendar(const std::string& text, ItemKind kind, std::string_view uid,
                                std::uint32_t ordinal);

}  // namespace lumivane::ical
