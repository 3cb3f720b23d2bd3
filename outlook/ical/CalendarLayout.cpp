#include "outlook/ical/CalendarLayout.h"

#include "base/AsciiCase.h"

namespace lumivane::ical {
namespace {

// The name after "BEGIN:" or "END:" (any letter case), or an empty view.
std::string_view Marker(std::string_view line, std::string_view keyword) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' ||
                           line.back() == '\t')) {
    line.remove_suffix(1);
  }
  if (line.size() <= keyword.size() || !SameTextAscii(line.substr(0, keyword.size()), keyword)) {
    return {};
  }
  return line.substr(keyword.size());
}

}  // namespace

CalendarLayout ScanCalendar(std::string_view text) {
  CalendarLayout layout;
  int depth = 0;
  std::size_t componentStart = 0;
  std::string_view component;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(pos, end - pos);
    if (const std::string_view begun = Marker(line, "BEGIN:"); !begun.empty()) {
      if (depth == 0 && !SameTextAscii(begun, "VCALENDAR")) return {};
      if (++depth == 2) {
        componentStart = pos;
        component = begun;
      }
    } else if (const std::string_view ended = Marker(line, "END:"); !ended.empty()) {
      if (depth == 2) {
        const std::string_view whole = text.substr(componentStart, end - componentStart);
        if (SameTextAscii(component, "VTIMEZONE")) {
          layout.zones.push_back(whole);
        } else {
          layout.items.push_back(whole);
          layout.events += SameTextAscii(component, "VEVENT") ? 1 : 0;
          layout.tasks += SameTextAscii(component, "VTODO") ? 1 : 0;
        }
      }
      if (--depth < 0) return {};
    }
    pos = end;
  }
  layout.plain = depth == 0 && !(layout.items.empty() && layout.zones.empty());
  return layout;
}

}  // namespace lumivane::ical
