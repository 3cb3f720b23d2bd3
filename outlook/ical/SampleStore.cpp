#include "outlook/ical/SampleStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "base/AsciiCase.h"
#include "base/FileIo.h"
#include "base/FileListing.h"

namespace lumivane {
namespace {

// Local wall times of the sample, in minutes from today 00:00.
struct Moment {
  AutomationDate today = 0;
  int minutes = 0;  // may run into other days

  Moment At(int dayOffset, int hour, int minute) const {
    return {today, dayOffset * 1440 + hour * 60 + minute};
  }
  Moment Plus(int more) const { return {today, minutes + more}; }
  AutomationDate Date() const { return today + minutes / 1440.0; }
};

std::string Fields(AutomationDate date, bool withTime) {
  const CivilDate d = DecodeDate(date);
  char text[32];
  if (!withTime) {
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
  } else {
    const TimeOfDay t = DecodeTime(date);
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", d.year, d.month, d.day, t.hour,
                  t.minute);
  }
  return text;
}

std::string LocalTime(const Moment& m) {
  return Fields(m.Date(), true);
}
std::string DateOnly(AutomationDate date) {
  return Fields(date, false);
}

// DTSTAMP is in UTC: the local moment through the process's zone.
std::string UtcStamp(AutomationDate now) {
  const CivilDate d = DecodeDate(now);
  const TimeOfDay t = DecodeTime(now);
  std::tm local{};
  local.tm_year = d.year - 1900;
  local.tm_mon = d.month - 1;
  local.tm_mday = d.day;
  local.tm_hour = t.hour;
  local.tm_min = t.minute;
  local.tm_isdst = -1;
  const std::time_t instant = std::mktime(&local);
  std::tm utc{};
  gmtime_r(&instant, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

class CalendarText {
 public:
  explicit CalendarText(std::string stamp) : stamp_(std::move(stamp)) {
    Line("BEGIN:VCALENDAR");
    Line("VERSION:2.0");
    Line("PRODID:-//Lumivane//Sample store//EN");
  }

  void Begin(const char* kind, const std::string& uid) {
    Line(std::string("BEGIN:") + kind);
    Line("UID:" + uid + "@sample.lumivane");
    Line("DTSTAMP:" + stamp_);
  }
  void End(const char* kind) { Line(std::string("END:") + kind); }

  void Line(const std::string& line) { text_ += line + "\r\n"; }

  void Event(const std::string& uid, const std::string& subject, const Moment& start,
             const Moment& end, const std::string& location, const std::string& categories) {
    Begin("VEVENT", uid);
    Texts(subject, location, categories);
    Line("DTSTART:" + LocalTime(start));
    Line("DTEND:" + LocalTime(end));
    End("VEVENT");
  }

  void AllDay(const std::string& uid, const std::string& subject, AutomationDate first, int days,
              const std::string& location, const std::string& categories) {
    Begin("VEVENT", uid);
    Texts(subject, location, categories);
    Line("DTSTART;VALUE=DATE:" + DateOnly(first));
    Line("DTEND;VALUE=DATE:" + DateOnly(first + days));
    End("VEVENT");
  }

  void Texts(const std::string& subject, const std::string& location,
             const std::string& categories) {
    Line("SUMMARY:" + Escaped(subject));
    if (!location.empty()) Line("LOCATION:" + Escaped(location));
    if (!categories.empty()) Line("CATEGORIES:" + categories);
  }

  std::string Finish() {
    Line("END:VCALENDAR");
    return text_;
  }

 private:
  static std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == ',' || c == ';' || c == '\\') out += '\\';
      out += c;
    }
    return out;
  }

  std::string stamp_;
  std::string text_;
};

bool IsWeekday(AutomationDate date) {
  const int day = DayOfWeek(date);
  return day >= 1 && day <= 5;
}

// The nth weekday (Monday to Friday) after today, as a day offset.
int WeekdayAfterToday(AutomationDate today, int nth) {
  int offset = 0;
  while (nth > 0) {
    ++offset;
    if (IsWeekday(today + offset)) --nth;
  }
  return offset;
}

std::string SampleCalendar(AutomationDate now) {
  const AutomationDate today = DateOf(now);
  const Moment base{today, 0};
  CalendarText cal(UtcStamp(now));

  // Running now: began at the last full half hour, ends an hour and a half later.
  const int nowMinutes = static_cast<int>(std::lround((now - today) * 1440));
  const Moment running = base.Plus(nowMinutes / 30 * 30);
  cal.Event("review", "Project review", running, running.Plus(90), "Main office, room 4.12",
            "Work");
  cal.Event("breakfast", "Breakfast with Alex", base.At(0, 7, 30), base.At(0, 8, 15), "Cafe Rosa",
            "Personal");

  // The weekly stand-up on weekdays, from two weeks back: the next one moved to
  // 10:30, the one after that cancelled.
  const Moment standup = base.At(-14, 9, 15);
  cal.Begin("VEVENT", "standup");
  cal.Texts("Team stand-up", "Room 2.01", "Work");
  cal.Line("DTSTART:" + LocalTime(standup));
  cal.Line("DTEND:" + LocalTime(standup.Plus(15)));
  cal.Line("RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR");
  const int moved = WeekdayAfterToday(today, 1);
  const int skipped = WeekdayAfterToday(today, 2);
  cal.Line("EXDATE:" + LocalTime(base.At(skipped, 9, 15)));
  cal.End("VEVENT");
  cal.Begin("VEVENT", "standup");
  cal.Line("RECURRENCE-ID:" + LocalTime(base.At(moved, 9, 15)));
  cal.Texts("Team stand-up", "Room 2.01", "Work");
  cal.Line("DTSTART:" + LocalTime(base.At(moved, 10, 30)));
  cal.Line("DTEND:" + LocalTime(base.At(moved, 10, 45)));
  cal.End("VEVENT");

  cal.Event("dentist", "Dentist", base.At(1, 8, 30), base.At(1, 9, 15),
            "Smile Dental, 14 High Street", "Health");
  cal.Event("night-train", "Night train to Vienna", base.At(1, 22, 40), base.At(2, 7, 10),
            "Central Station, platform 9", "Travel");
  cal.Event("lunch", "Lunch with Sam", base.At(2, 12, 30), base.At(2, 13, 30), "Cafe Rosa",
            "Personal");
  cal.AllDay("birthday", "Mum's birthday", today + 3, 1, "", "Family");
  cal.AllDay("conference", "Design conference", today + 4, 3, "Lisbon", "Travel,Work");
  cal.Event("planning", "Release planning", base.At(5, 14, 0), base.At(5, 15, 0), "Online", "Work");

  // The coming Saturday (a week ahead when today is one).
  int saturday = 1;
  while (DayOfWeek(today + saturday) != 6) ++saturday;
  cal.Event("market", "Farmers' market", base.At(saturday, 10, 0), base.At(saturday, 11, 30),
            "Town square", "Personal");
  return cal.Finish();
}

std::string SampleTasks(AutomationDate now) {
  const AutomationDate today = DateOf(now);
  CalendarText cal(UtcStamp(now));
  struct TaskEntry {
    const char* uid;
    const char* subject;
    int dueOffset;  // days from today; 1000: no due date
    int priority;   // 1 high, 5 normal, 9 low
    bool done;
    const char* categories;
  };
  const TaskEntry tasks[] = {
      {"invoice", "Send the invoice to Brightwave", -3, 1, false, "Work"},
      {"permit", "Renew the parking permit", 0, 5, false, "Personal"},
      {"slides", "Prepare the slides for the review", 2, 1, false, "Work"},
      {"plants", "Water the plants", 1, 5, false, "Home"},
      {"flights", "Book flights for the summer", 10, 9, false, "Travel"},
      {"photos", "Sort the photo albums", 1000, 9, false, ""},
      {"plumber", "Call the plumber", -1, 5, true, "Home"},
  };
  for (const TaskEntry& t : tasks) {
    cal.Begin("VTODO", t.uid);
    cal.Line(std::string("SUMMARY:") + t.subject);
    if (t.dueOffset != 1000) cal.Line("DUE;VALUE=DATE:" + DateOnly(today + t.dueOffset));
    cal.Line("PRIORITY:" + std::to_string(t.priority));
    if (*t.categories != '\0') cal.Line(std::string("CATEGORIES:") + t.categories);
    if (t.done) {
      cal.Line("STATUS:COMPLETED");
      cal.Line("COMPLETED:" + UtcStamp(now));
    } else {
      cal.Line("STATUS:NEEDS-ACTION");
    }
    cal.End("VTODO");
  }
  return cal.Finish();
}

}  // namespace

std::vector<std::string> CalendarFilesBesideSample(const std::string& folder) {
  std::vector<std::string> others;
  const auto isIcs = [](const std::string& name) {
    return name.size() > 4 && SameTextAscii(std::string_view(name).substr(name.size() - 4), ".ics");
  };
  for (const std::string& name : FolderEntryNames(folder, /*skipHidden=*/false)) {
    if (name == kSampleFiles[0] || name == kSampleFiles[1]) continue;
    const std::string path = folder + "/" + name;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      // A vdir: a folder of calendar files.
      const auto inner = FolderEntryNames(path, false);
      if (std::any_of(inner.begin(), inner.end(), isIcs)) others.push_back(name + "/");
    } else if (isIcs(name)) {
      others.push_back(name);
    }
  }
  return others;
}

std::vector<std::string> WriteSampleStore(const std::string& folder, AutomationDate now) {
  // Invented appointments must not be mixed into a real calendar.
  if (const auto others = CalendarFilesBesideSample(folder); !others.empty()) {
    std::string names;
    for (const std::string& name : others) names += (names.empty() ? "" : ", ") + name;
    throw std::runtime_error("The folder " + folder + " already holds calendar files (" + names +
                             "); the sample is written only into a folder without them.");
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    throw std::runtime_error("Cannot create the folder " + folder +
                             (error ? ": " + error.message() : std::string()));
  }
  const std::vector<std::string> paths = {folder + "/" + kSampleFiles[0],
                                          folder + "/" + kSampleFiles[1]};
  WriteFileAtomically(paths[0], SampleCalendar(now), 0644);
  WriteFileAtomically(paths[1], SampleTasks(now), 0644);
  return paths;
}

}  // namespace lumivane
