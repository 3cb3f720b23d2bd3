#pragma once
// The components of a calendar file as text, found by their BEGIN and END
// lines without parsing them, so that a large file can be handed to libical a
// part at a time.
#include <cstddef>
#include <string_view>
#include <vector>

namespace lumivane::ical {

struct CalendarLayout {
  // True when the text is one or more VCALENDARs holding components, with
  // every BEGIN matched by its END; anything else is left to libical whole.
  bool plain = false;
  std::vector<std::string_view> zones;  // VTIMEZONE components, END line included
  std::vector<std::string_view> items;  // every other component
  std::size_t events = 0;               // of the items, VEVENTs
  std::size_t tasks = 0;                // and VTODOs
};

CalendarLayout ScanCalendar(std::string_view text);

}  // namespace lumivane::ical
