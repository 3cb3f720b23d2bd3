#include "outlook/ical/GregorianRule.h"

#include <algorithm>
#include <bit>

#include "outlook/ical/CivilCalendar.h"

namespace lumivane::ical {
namespace {

// libical makes no instance after this year; before the first year the
// calendar library under libical counts on the Julian calendar.
constexpr std::int64_t kFirstYear = 1583;
constexpr std::int64_t kLastYear = 2582;

constexpr std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return -FloorDiv(-a, b);
}

constexpr bool Has(std::uint32_t bits, int n) {
  return ((bits >> n) & 1U) != 0;
}

// Walks the periods of a rule (a day, a week from WKST, a month, a year,
// counted from 1970 or year 0) and lists the days of each that the BYxxx
// parts let through. Parts that a rule leaves out are taken from DTSTART.
class Expander {
 public:
  Expander(const GregorianRule& rule, std::int64_t firstDay) : rule_(rule) {
    const Civil first = CivilFromDays(firstDay);
    firstMonth_ = first.month;
    firstMonthDay_ = first.day;
    weekdays_ = rule.weekdays;
    if (rule.frequency == RuleFrequency::kWeekly && !rule.HasByDay()) {
      weekdays_ = static_cast<std::uint8_t>(1U << WeekdayOfDay(firstDay));
    }
    // A day whose weekday is WKST; weeks are counted from it.
    weekBase_ = FloorMod(rule.weekStart - 3, 7);
  }

  std::int64_t PeriodOf(std::int64_t day) const {
    switch (rule_.frequency) {
      case RuleFrequency::kDaily:
        return day;
      case RuleFrequency::kWeekly:
        return FloorDiv(day - weekBase_, 7);
      case RuleFrequency::kMonthly: {
        const Civil c = CivilFromDays(day);
        return c.year * 12 + c.month - 1;
      }
      case RuleFrequency::kYearly:
        return CivilFromDays(day).year;
    }
    return day;
  }

  std::int64_t FirstDayOf(std::int64_t period) const {
    switch (rule_.frequency) {
      case RuleFrequency::kDaily:
        return period;
      case RuleFrequency::kWeekly:
        return weekBase_ + period * 7;
      case RuleFrequency::kMonthly:
        return DaysFromCivil(FloorDiv(period, 12), static_cast<int>(FloorMod(period, 12)) + 1, 1);
      case RuleFrequency::kYearly:
        return DaysFromCivil(period, 1, 1);
    }
    return period;
  }

  // The days of a period that are instances, in order, into days.
  void DaysOf(std::int64_t period, std::vector<std::int64_t>& days) const {
    days.clear();
    switch (rule_.frequency) {
      case RuleFrequency::kDaily:
        if (DayPasses(period)) days.push_back(period);
        return;
      case RuleFrequency::kWeekly: {
        const std::int64_t start = FirstDayOf(period);
        for (int i = 0; i < 7; ++i) {
          const std::int64_t day = start + i;
          if (!Has(weekdays_, (rule_.weekStart + i) % 7)) continue;
          if (rule_.months != 0 && !Has(rule_.months, CivilFromDays(day).month)) continue;
          days.push_back(day);
        }
        return;
      }
      case RuleFrequency::kMonthly: {
        const std::int64_t year = FloorDiv(period, 12);
        const int month = static_cast<int>(FloorMod(period, 12)) + 1;
        if (rule_.months != 0 && !Has(rule_.months, month)) return;
        AddMonth(year, month, days);
        return;
      }
      case RuleFrequency::kYearly:
        for (int month = 1; month <= 12; ++month) {
          if (rule_.months != 0 ? !Has(rule_.months, month)
                                : !rule_.HasByDay() && month != firstMonth_) {
            continue;
          }
          AddMonth(period, month, days);
        }
        return;
    }
  }

 private:
  // DAILY: every BYxxx part limits.
  bool DayPasses(std::int64_t day) const {
    if (rule_.months == 0 && !rule_.HasByMonthDay() && rule_.weekdays == 0) return true;
    if (rule_.weekdays != 0 && !Has(rule_.weekdays, WeekdayOfDay(day))) return false;
    if (rule_.months == 0 && !rule_.HasByMonthDay()) return true;
    const Civil c = CivilFromDays(day);
    if (rule_.months != 0 && !Has(rule_.months, c.month)) return false;
    return !rule_.HasByMonthDay() || MonthDayPasses(c.day, DaysInMonth(c.year, c.month));
  }

  bool MonthDayPasses(int day, int length) const {
    return Has(rule_.monthDays, day) || Has(rule_.lastMonthDays, length + 1 - day);
  }

  // BYDAY inside a month: a plain weekday takes each such day, an ordinal
  // counts that weekday from the start or the end of the month.
  bool ByDayPasses(int day, int length, int weekday) const {
    if (Has(rule_.weekdays, weekday)) return true;
    return Has(rule_.fromFirst[static_cast<std::size_t>(weekday)], (day - 1) / 7 + 1) ||
           Has(rule_.fromLast[static_cast<std::size_t>(weekday)], (length - day) / 7 + 1);
  }

  // The days of one month of a MONTHLY or YEARLY rule: BYMONTHDAY and BYDAY
  // expand; both together keep the days that pass both. Without either the
  // day of the month is DTSTART's (a month without it has none).
  void AddMonth(std::int64_t year, int month, std::vector<std::int64_t>& days) const {
    const int length = DaysInMonth(year, month);
    const std::int64_t first = DaysFromCivil(year, month, 1);
    const bool byMonthDay = rule_.HasByMonthDay();
    const bool byDay = rule_.HasByDay();
    if (!byMonthDay && !byDay) {
      if (firstMonthDay_ <= length) days.push_back(first + firstMonthDay_ - 1);
      return;
    }
    const int firstWeekday = WeekdayOfDay(first);
    for (int day = 1; day <= length; ++day) {
      if (byMonthDay && !MonthDayPasses(day, length)) continue;
      if (byDay && !ByDayPasses(day, length, (firstWeekday + day - 1) % 7)) continue;
      days.push_back(first + day - 1);
    }
  }

  const GregorianRule& rule_;
  int firstMonth_ = 1;
  int firstMonthDay_ = 1;
  std::uint8_t weekdays_ = 0;
  std::int64_t weekBase_ = 0;
};

bool Supported(const GregorianRule& rule) {
  if (rule.interval < 1 || rule.count < 0) return false;
  if (rule.count > 0 && rule.until != kNoUpperBound) return false;
  // Some readings of libical's are its own and left to it: a DAILY rule
  // passes no day for a negative BYMONTHDAY, a YEARLY BYMONTHDAY without
  // BYMONTH counts only in DTSTART's month, and a WEEKLY rule with BYMONTH
  // and an INTERVAL loses the phase of its weeks across the skipped months.
  switch (rule.frequency) {
    case RuleFrequency::kDaily:
      return !rule.HasOrdinals() && rule.lastMonthDays == 0;
    case RuleFrequency::kWeekly:
      return !rule.HasOrdinals() && !rule.HasByMonthDay() &&
             (rule.months == 0 || rule.interval == 1);
    case RuleFrequency::kMonthly:
      return true;
    case RuleFrequency::kYearly:
      return rule.months != 0 || (!rule.HasOrdinals() && !rule.HasByMonthDay());
  }
  return false;
}

// Instances each period after the first has, when that is the same for all
// of them, so a COUNT can be counted off without walking; 0 otherwise.
int InstancesPerPeriod(const GregorianRule& rule) {
  if (rule.frequency == RuleFrequency::kDaily && rule.months == 0 && !rule.HasByMonthDay() &&
      rule.weekdays == 0) {
    return 1;
  }
  if (rule.frequency == RuleFrequency::kWeekly && rule.months == 0) {
    return rule.weekdays != 0 ? std::popcount(rule.weekdays) : 1;
  }
  return 0;
}

}  // namespace

bool GregorianRule::HasOrdinals() const {
  return std::any_of(fromFirst.begin(), fromFirst.end(), [](std::uint8_t b) { return b != 0; }) ||
         std::any_of(fromLast.begin(), fromLast.end(), [](std::uint8_t b) { return b != 0; });
}

std::optional<std::vector<WallSeconds>> ExpandNatively(const GregorianRule& rule,
                                                       WallSeconds dtstart, bool isDate,
                                                       WallSeconds from, WallSeconds to,
                                                       RuleLimits limits) {
  if (!Supported(rule)) return std::nullopt;
  const std::int64_t firstDay = DayOfWall(dtstart);
  const std::int64_t timeOfDay = dtstart - firstDay * kSecondsPerDay;
  if (isDate && timeOfDay != 0) return std::nullopt;
  const std::int64_t firstYear = CivilFromDays(firstDay).year;
  if (firstYear < kFirstYear || firstYear > kLastYear) return std::nullopt;

  const Expander expander(rule, firstDay);
  const std::int64_t firstPeriod = expander.PeriodOf(firstDay);
  std::vector<std::int64_t> days;
  expander.DaysOf(firstPeriod, days);
  if (std::find(days.begin(), days.end(), firstDay) == days.end()) return std::nullopt;

  std::vector<WallSeconds> starts;
  if (from > to || to < dtstart || limits.maxInstances == 0) return starts;
  // No day past this one can hold an instance; the walk ends there.
  std::int64_t lastDay = DaysFromCivil(kLastYear, 12, 31);
  lastDay = std::min({lastDay, DayOfWall(to), DayOfWall(rule.until)});
  if (lastDay < firstDay) return starts;
  // Like libical's walk, which takes at most maxSteps steps from DTSTART, a
  // COUNT beyond maxSteps ends there.
  const auto maxSteps = static_cast<std::int64_t>(limits.maxSteps);
  const std::int64_t count = rule.count > 0 ? std::min(rule.count, maxSteps) : 0;

  // The walk starts at the first period of the rule's phase that can reach
  // `from`. Under a COUNT the instances before it must be counted: that
  // takes a walk from DTSTART unless every period holds as many.
  std::int64_t step = 0;
  std::int64_t counted = 0;
  if (from > dtstart) {
    const std::int64_t fromDay = DayOfWall(from);
    if (fromDay > lastDay) return starts;
    const std::int64_t jump = CeilDiv(expander.PeriodOf(fromDay) - firstPeriod, rule.interval);
    const int perPeriod = InstancesPerPeriod(rule);
    if (count == 0) {
      step = jump;
    } else if (perPeriod > 0 && jump > 0) {
      const auto inFirst = static_cast<std::int64_t>(
          days.end() - std::lower_bound(days.begin(), days.end(), firstDay));
      counted = inFirst + (jump - 1) * perPeriod;
      if (counted >= count) return starts;
      step = jump;
    }
  }

  std::int64_t walked = 0;
  for (;; ++step) {
    const std::int64_t period = firstPeriod + step * rule.interval;
    if (expander.FirstDayOf(period) > lastDay) break;
    if (step != 0) expander.DaysOf(period, days);
    for (const std::int64_t day : days) {
      if (day < firstDay) continue;
      const WallSeconds wall = day * kSecondsPerDay + timeOfDay;
      if (day > lastDay || wall > to || wall > rule.until) return starts;
      if (count > 0 && counted >= count) return starts;
      ++counted;
      if (wall >= from) {
        starts.push_back(wall);
        if (starts.size() >= limits.maxInstances) return starts;
      }
      if (++walked >= maxSteps) return starts;
    }
  }
  return starts;
}

}  // namespace lumivane::ical
