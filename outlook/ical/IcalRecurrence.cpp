#include "outlook/ical/IcalRecurrence.h"

#include <libical/ical.h>

#include <ctime>
#include <memory>
#include <string>

#include "outlook/ical/IcalFields.h"
#include "outlook/ical/IcalLibrary.h"

namespace lumivane::ical {
namespace {

icalrecurrencetype ReadRule(std::string_view rule) {
  EnsureIcalLibraryReady();
  return icalrecurrencetype_from_string(std::string(rule).c_str());
}

struct IteratorDeleter {
  void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using Iterator = std::unique_ptr<icalrecur_iterator, IteratorDeleter>;

}  // namespace

bool IsValidRule(std::string_view rule) {
  return ReadRule(rule).freq != ICAL_NO_RECURRENCE;
}

std::vector<WallSeconds> ExpandRule(std::string_view ruleText, WallSeconds dtstart, bool isDate,
                                    WallSeconds from, WallSeconds to,
                                    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc,
                                    RuleLimits limits) {
  std::vector<WallSeconds> starts;
  icalrecurrencetype rule = ReadRule(ruleText);
  if (rule.freq == ICAL_NO_RECURRENCE || from > to) return starts;

  // libical compares UNTIL with the wall times it makes; an UNTIL in UTC is
  // first put on the series' wall clock. A date UNTIL under a timed series
  // takes in its whole day.
  if (!icaltime_is_null_time(rule.until)) {
    if (isDate) {
      rule.until = FieldsOfWall(WallOfFields(rule.until), true);
    } else if (rule.until.is_date) {
      rule.until = FieldsOfWall(WallOfFields(rule.until) + kSecondsPerDay - 1, false);
    } else if (icaltime_is_utc(rule.until) && wallFromUtc) {
      rule.until = FieldsOfWall(wallFromUtc(WallOfFields(rule.until)), false);
    } else {
      rule.until = FieldsOfWall(WallOfFields(rule.until), false);
    }
  }

  if (!icaltime_is_null_time(rule.until) && WallOfFields(rule.until) < from) return starts;

  const icaltimetype start = FieldsOfWall(dtstart, isDate);
  Iterator iterator(icalrecur_iterator_new(rule, start));
  if (!iterator) return starts;
  // Jumping ahead is only sound without COUNT (every instance counts) and for
  // frequencies of a day or more, whose phase libical keeps when it jumps.
  // The jump goes to a bound of the same kind as DTSTART.
  const bool canJump =
      rule.count == 0 && rule.freq >= ICAL_DAILY_RECURRENCE && rule.freq <= ICAL_YEARLY_RECURRENCE;
  if (canJump && from != kNoLowerBound && from > dtstart) {
    if (icalrecur_iterator_set_start(iterator.get(), FieldsOfWall(from, isDate)) == 0) {
      iterator.reset(icalrecur_iterator_new(rule, start));  // walk from the start instead
      if (!iterator) return starts;
    }
  }

  for (std::size_t step = 0; step < limits.maxSteps; ++step) {
    const icaltimetype next = icalrecur_iterator_next(iterator.get());
    if (icaltime_is_null_time(next)) break;
    const WallSeconds wall = WallOfFields(next);
    if (wall > to) break;
    if (wall < from) continue;
    starts.push_back(wall);
    if (starts.size() >= limits.maxInstances) break;
  }
  return starts;
}

}  // namespace lumivane::ical
