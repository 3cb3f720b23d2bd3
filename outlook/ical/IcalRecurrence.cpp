#include "outlook/ical/IcalRecurrence.h"

#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "outlook/ical/GregorianRule.h"
#include "outlook/ical/IcalFields.h"
#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/RuleText.h"

namespace lumivane::ical {
namespace {

icalrecurrencetype ReadRule(std::string_view text) {
  icalrecurrencetype rule;
  if (ReadEverydayRule(text, rule)) return rule;
  EnsureIcalLibraryReady();
  return icalrecurrencetype_from_string(std::string(text).c_str());
}

struct IteratorDeleter {
  void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using Iterator = std::unique_ptr<icalrecur_iterator, IteratorDeleter>;

// libical compares UNTIL with the wall times it makes; an UNTIL in UTC is
// first put on the series' wall clock. A date UNTIL under a timed series
// takes in its whole day.
void UntilOnWallClock(icalrecurrencetype& rule, bool isDate,
                      const std::function<WallSeconds(UtcSeconds)>& wallFromUtc) {
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
}

// A rule read for one series: std::nullopt when it has no instances in
// [from, to] whatever its parts (no frequency, an empty window, an UNTIL
// before the window).
std::optional<icalrecurrencetype> ReadSeriesRule(
    std::string_view ruleText, bool isDate, WallSeconds from, WallSeconds to,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc) {
  icalrecurrencetype rule = ReadRule(ruleText);
  if (rule.freq == ICAL_NO_RECURRENCE || from > to) return std::nullopt;
  UntilOnWallClock(rule, isDate, wallFromUtc);
  if (!icaltime_is_null_time(rule.until) && WallOfFields(rule.until) < from) return std::nullopt;
  return rule;
}

// Each list of the rule, up to its end mark.
template <std::size_t N, typename Visit>
void ForEachPart(const short (&values)[N], Visit visit) {
  for (std::size_t i = 0; i < N && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) visit(values[i]);
}

template <std::size_t N>
bool IsEmpty(const short (&values)[N]) {
  return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// Monday = 0, as GregorianRule counts weekdays.
int WeekdayOf(icalrecurrencetype_weekday weekday) {
  return (static_cast<int>(weekday) - static_cast<int>(ICAL_MONDAY_WEEKDAY) + 7) % 7;
}

// The rule as GregorianRule holds it, or std::nullopt when it has a part
// that GregorianRule does not take.
std::optional<GregorianRule> GregorianRuleOf(const icalrecurrencetype& ical) {
  GregorianRule rule;
  switch (ical.freq) {
    case ICAL_DAILY_RECURRENCE:
      rule.frequency = RuleFrequency::kDaily;
      break;
    case ICAL_WEEKLY_RECURRENCE:
      rule.frequency = RuleFrequency::kWeekly;
      break;
    case ICAL_MONTHLY_RECURRENCE:
      rule.frequency = RuleFrequency::kMonthly;
      break;
    case ICAL_YEARLY_RECURRENCE:
      rule.frequency = RuleFrequency::kYearly;
      break;
    default:
      return std::nullopt;
  }
  if (!IsEmpty(ical.by_second) || !IsEmpty(ical.by_minute) || !IsEmpty(ical.by_hour) ||
      !IsEmpty(ical.by_year_day) || !IsEmpty(ical.by_week_no) || !IsEmpty(ical.by_set_pos) ||
      (ical.rscale != nullptr && ical.rscale[0] != '\0') || ical.skip != ICAL_SKIP_OMIT) {
    return std::nullopt;
  }
  rule.interval = ical.interval;
  rule.count = ical.count;
  if (!icaltime_is_null_time(ical.until)) rule.until = WallOfFields(ical.until);
  if (ical.week_start < ICAL_SUNDAY_WEEKDAY || ical.week_start > ICAL_SATURDAY_WEEKDAY) {
    return std::nullopt;
  }
  rule.weekStart = WeekdayOf(ical.week_start);

  bool readable = true;
  ForEachPart(ical.by_day, [&](short value) {
    const icalrecurrencetype_weekday day = icalrecurrencetype_day_day_of_week(value);
    const int position = icalrecurrencetype_day_position(value);
    if (day < ICAL_SUNDAY_WEEKDAY || day > ICAL_SATURDAY_WEEKDAY || position < -5 || position > 5) {
      readable = false;
      return;
    }
    const auto weekday = static_cast<std::size_t>(WeekdayOf(day));
    std::uint8_t& bits = position == 0  ? rule.weekdays
                         : position > 0 ? rule.fromFirst[weekday]
                                        : rule.fromLast[weekday];
    const unsigned bit = 1U << (position == 0 ? static_cast<int>(weekday) : std::abs(position));
    // libical makes a weekly instance twice for a day named twice; such rules
    // are left to it.
    if ((bits & bit) != 0) readable = false;
    bits = static_cast<std::uint8_t>(bits | bit);
  });
  ForEachPart(ical.by_month_day, [&](short value) {
    if (value >= 1 && value <= 31) {
      rule.monthDays |= 1U << value;
    } else if (value <= -1 && value >= -31) {
      rule.lastMonthDays |= 1U << -value;
    } else {
      readable = false;
    }
  });
  ForEachPart(ical.by_month, [&](short value) {
    const int month = icalrecurrencetype_month_month(value);
    if (icalrecurrencetype_month_is_leap(value) != 0 || month < 1 || month > 12) {
      readable = false;
      return;
    }
    rule.months = static_cast<std::uint16_t>(rule.months | (1U << month));
  });
  if (!readable) return std::nullopt;
  return rule;
}

std::vector<WallSeconds> WalkWithLibical(const icalrecurrencetype& rule, WallSeconds dtstart,
                                         bool isDate, WallSeconds from, WallSeconds to,
                                         RuleLimits limits) {
  std::vector<WallSeconds> starts;
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

}  // namespace

bool IsValidRule(std::string_view rule) {
  return ReadRule(rule).freq != ICAL_NO_RECURRENCE;
}

std::optional<GregorianRule> ReadNativeRule(
    std::string_view ruleText, bool isDate,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc) {
  icalrecurrencetype rule = ReadRule(ruleText);
  if (rule.freq == ICAL_NO_RECURRENCE) return std::nullopt;
  UntilOnWallClock(rule, isDate, wallFromUtc);
  return GregorianRuleOf(rule);
}

std::vector<WallSeconds> ExpandRule(std::string_view ruleText, WallSeconds dtstart, bool isDate,
                                    WallSeconds from, WallSeconds to,
                                    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc,
                                    RuleLimits limits) {
  const std::optional<icalrecurrencetype> rule =
      ReadSeriesRule(ruleText, isDate, from, to, wallFromUtc);
  if (!rule) return {};
  if (const std::optional<GregorianRule> gregorian = GregorianRuleOf(*rule)) {
    if (auto starts = ExpandNatively(*gregorian, dtstart, isDate, from, to, limits)) {
      return std::move(*starts);
    }
  }
  return WalkWithLibical(*rule, dtstart, isDate, from, to, limits);
}

std::vector<WallSeconds> ExpandWithLibical(
    std::string_view ruleText, WallSeconds dtstart, bool isDate, WallSeconds from, WallSeconds to,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc, RuleLimits limits) {
  const std::optional<icalrecurrencetype> rule =
      ReadSeriesRule(ruleText, isDate, from, to, wallFromUtc);
  if (!rule) return {};
  return WalkWithLibical(*rule, dtstart, isDate, from, to, limits);
}

std::optional<std::vector<WallSeconds>> ExpandRuleNatively(
    std::string_view ruleText, WallSeconds dtstart, bool isDate, WallSeconds from, WallSeconds to,
    const std::function<WallSeconds(UtcSeconds)>& wallFromUtc, RuleLimits limits) {
  const std::optional<icalrecurrencetype> rule =
      ReadSeriesRule(ruleText, isDate, from, to, wallFromUtc);
  if (!rule) return std::vector<WallSeconds>{};
  const std::optional<GregorianRule> gregorian = GregorianRuleOf(*rule);
  if (!gregorian) return std::nullopt;
  return ExpandNatively(*gregorian, dtstart, isDate, from, to, limits);
}

}  // namespace lumivane::ical
