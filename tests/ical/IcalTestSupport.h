#pragma once
// Helpers of the iCalendar server tests: a store folder of their own, the
// fixed zone and formats, and walks collected into plain rows.
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/AutomationDate.h"
#include "i18n/FormatSettings.h"
#include "outlook/DesktopOpener.h"
#include "outlook/OutlookContract.h"
#include "support/FormatFixtures.h"

namespace lumivane::test {

// Tests read local times in Berlin, whoever starts them.
inline void UseBerlinTime() {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
}

inline std::string IcsData(const std::string& name) {
  return std::string(LUMIVANE_TEST_DATA) + "/ical/" + name;
}

// A zone the calendar defines itself, with the yearly rules of US Eastern
// time (-05:00 in winter, -04:00 in summer), for the components of Calendar().
inline constexpr const char* kCustomEasternZone = R"(
    BEGIN:VTIMEZONE
    TZID:Custom Eastern
    BEGIN:STANDARD
    DTSTART:20071104T020000
    RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU
    TZOFFSETFROM:-0400
    TZOFFSETTO:-0500
    END:STANDARD
    BEGIN:DAYLIGHT
    DTSTART:20070311T020000
    RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU
    TZOFFSETFROM:-0500
    TZOFFSETTO:-0400
    END:DAYLIGHT
    END:VTIMEZONE
)";

// "BEGIN:VCALENDAR" ... "END:VCALENDAR" around the components, CRLF lines.
inline std::string Calendar(const std::string& components) {
  std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lumivane//Tests//EN\r\n";
  std::string::size_type start = 0;
  while (start < components.size()) {
    auto end = components.find('\n', start);
    if (end == std::string::npos) end = components.size();
    std::string line = components.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(' ');
    if (first != std::string::npos) text += line.substr(first) + "\r\n";
    start = end + 1;
  }
  return text + "END:VCALENDAR\r\n";
}

class TempStore {
 public:
  TempStore() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lumivane-ical-test-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
  }
  ~TempStore() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempStore(const TempStore&) = delete;
  TempStore& operator=(const TempStore&) = delete;

  const std::string& Root() const { return root_; }
  std::string Path(const std::string& name) const { return root_ + "/" + name; }

  void Write(const std::string& name, const std::string& text) const {
    const std::filesystem::path path = Path(name);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

 private:
  std::string root_;
};

struct AppointmentRow {
  AutomationDate start = 0;
  AutomationDate end = 0;
  bool allDay = false;
  std::string subject;
  bool operator==(const AppointmentRow&) const = default;
};

inline std::vector<std::string> Subjects(const std::vector<AppointmentRow>& rows) {
  std::vector<std::string> subjects;
  for (const auto& row : rows) subjects.push_back(row.subject);
  return subjects;
}

// Every appointment a Find/FindNext walk returns.
inline std::vector<AppointmentRow> WalkAppointments(Items& items, const std::string& filter) {
  std::vector<AppointmentRow> rows;
  for (auto item = items.Find(filter); item; item = items.FindNext()) {
    if (_AppointmentItem* a = item->QueryAppointmentItem()) {
      rows.push_back({a->Start(), a->End(), a->AllDayEvent(), a->Subject()});
    }
  }
  return rows;
}

inline std::vector<std::string> WalkTaskSubjects(Items& items, const std::string& filter) {
  std::vector<std::string> subjects;
  for (auto item = items.Find(filter); item; item = items.FindNext()) {
    subjects.push_back(ToTaskItem(*item).Subject());
  }
  return subjects;
}

// A desktop that records what it was asked to start.
class RecordingOpener final : public DesktopOpener {
 public:
  struct Call {
    DesktopProgram program;
    std::string file;
  };
  LaunchResult Launch(DesktopProgram program, const std::string& file) override {
    calls.push_back({program, file});
    return answer;
  }
  std::vector<Call> calls;
  LaunchResult answer;
};

}  // namespace lumivane::test
