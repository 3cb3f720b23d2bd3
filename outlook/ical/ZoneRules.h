#pragma once
// The changes of offset of a VTIMEZONE worked out without libical's zone
// expansion, which walks every STANDARD and DAYLIGHT rule through its general
// recurrence code (slow enough to dominate a refresh). The answers are meant
// to equal libical's for every definition this accepts: each part's DTSTART
// and RDATEs are changes, its yearly rule adds every instance after DTSTART,
// a change takes effect at its wall time less TZOFFSETFROM, and a time before
// the first change has that change's TZOFFSETFROM. Definitions with rules of
// another kind are left to libical.
#include <cstdint>
#include <optional>
#include <vector>

#include "outlook/ical/LocalTime.h"

typedef struct icalcomponent_impl icalcomponent;

namespace lumivane::ical {

// An RRULE of FREQ=YEARLY with BYMONTH, BYMONTHDAY and BYDAY parts at most.
struct YearlyRule {
  int interval = 1;
  std::vector<int> months;     // 1-12; empty: DTSTART's month
  std::vector<int> monthDays;  // 1-31 or -31..-1 from the month's end
  struct Weekday {
    int ordinal = 0;  // 0: every such day of the month; 2: the second; -1: the last
    int day = 0;      // 0 Sunday .. 6 Saturday
  };
  std::vector<Weekday> weekdays;
  std::optional<WallSeconds> until;  // on the part's own wall clock
};

// One STANDARD or DAYLIGHT part.
struct Observance {
  WallSeconds start = 0;  // DTSTART, on the clock of offsetFrom
  int offsetFrom = 0;
  int offsetTo = 0;
  struct Date {
    WallSeconds at = 0;
    bool instant = false;  // a UTC time or a date: taken as it stands
  };
  std::vector<Date> rdates;
  std::optional<YearlyRule> rule;
};

// The start wall times of a yearly rule's instances in one year, in order,
// at DTSTART's time of day, none left out for UNTIL or DTSTART.
std::vector<WallSeconds> YearlyInstances(const YearlyRule& rule, WallSeconds dtstart, int year);

// The parts of a VTIMEZONE; nullopt when one of them has a rule outside
// YearlyRule (or a period, or COUNT), which only libical then evaluates.
std::optional<std::vector<Observance>> ObservancesOf(icalcomponent* vtimezone);

class ZoneRules {
 public:
  explicit ZoneRules(std::vector<Observance> parts);

  // Seconds to add to UTC for the zone's wall clock; nullopt for times
  // beyond the years this evaluates (libical stops expanding there too),
  // and for a definition that makes far more changes than any real zone.
  std::optional<int> OffsetAtUtc(UtcSeconds utc) const;
  const std::vector<Observance>& Parts() const { return parts_; }

  // The last year answered.
  static constexpr int kLastYear = 2400;
  static constexpr std::size_t kMaxYears = 100000;
  static constexpr std::size_t kMaxChanges = 100000;

 private:
  struct Change {
    UtcSeconds at = 0;
    int before = 0;
    int after = 0;
  };
  void Cover(int year) const;

  std::vector<Observance> parts_;
  // Every change up to the end of coveredTo_, in time order; grown when a
  // later year is asked for.
  mutable std::vector<Change> changes_;
  mutable int coveredTo_ = -1;
  mutable bool usable_ = true;
};

}  // namespace lumivane::ical
