#include "outlook/ical/ZoneRules.h"

#include <libical/ical.h>

#include <algorithm>

#include "outlook/ical/CivilCalendar.h"
#include "outlook/ical/IcalFields.h"

namespace lumivane::ical {
namespace {

std::int64_t DayOf(int year, int month, int day) {
  return DaysFromCivil(year, month, day);
}

// 0 Sunday .. 6 Saturday, as BYDAY counts them here.
int WeekdayOf(std::int64_t day) {
  return (WeekdayOfDay(day) + 1) % 7;
}

int YearOfWall(WallSeconds wall) {
  return static_cast<int>(CivilFromDays(DayOfWall(wall)).year);
}

// The days of one month that the rule picks, as days since 1970.
void MonthDays(const YearlyRule& rule, int year, int month, int startDay,
               std::vector<std::int64_t>& days) {
  const int length = DaysInMonth(year, month);
  const std::int64_t first = DayOf(year, month, 1);
  const auto matchesWeekday = [&rule](std::int64_t day) {
    return rule.weekdays.empty() ||
           std::any_of(rule.weekdays.begin(), rule.weekdays.end(),
                       [day](const YearlyRule::Weekday& w) { return w.day == WeekdayOf(day); });
  };
  if (!rule.monthDays.empty()) {
    for (int d : rule.monthDays) {
      const int dayOfMonth = d > 0 ? d : length + 1 + d;
      if (dayOfMonth < 1 || dayOfMonth > length) continue;
      if (matchesWeekday(first + dayOfMonth - 1)) days.push_back(first + dayOfMonth - 1);
    }
    return;
  }
  if (!rule.weekdays.empty()) {
    for (const YearlyRule::Weekday& w : rule.weekdays) {
      const int firstMatch = (w.day - WeekdayOf(first) + 7) % 7;  // 0-based day of month
      if (w.ordinal == 0) {
        for (int d = firstMatch; d < length; d += 7) days.push_back(first + d);
      } else if (w.ordinal > 0) {
        const int d = firstMatch + 7 * (w.ordinal - 1);
        if (d < length) days.push_back(first + d);
      } else {
        const int lastMatch = firstMatch + 7 * ((length - 1 - firstMatch) / 7);
        const int d = lastMatch + 7 * (w.ordinal + 1);
        if (d >= 0) days.push_back(first + d);
      }
    }
    return;
  }
  if (startDay <= length) days.push_back(first + startDay - 1);
}

UtcSeconds ChangeTime(const Observance& part, WallSeconds wall) {
  return wall - part.offsetFrom;
}

}  // namespace

std::vector<WallSeconds> YearlyInstances(const YearlyRule& rule, WallSeconds dtstart, int year) {
  const Civil start = CivilFromDays(DayOfWall(dtstart));
  const WallSeconds timeOfDay = dtstart - DayOfWall(dtstart) * kSecondsPerDay;
  std::vector<std::int64_t> days;
  // Without BYMONTH the rule keeps to DTSTART's month, BYMONTHDAY or not,
  // as libical reads it.
  if (!rule.months.empty()) {
    for (int month : rule.months) MonthDays(rule, year, month, start.day, days);
  } else {
    MonthDays(rule, year, start.month, start.day, days);
  }
  std::sort(days.begin(), days.end());
  days.erase(std::unique(days.begin(), days.end()), days.end());
  std::vector<WallSeconds> walls;
  walls.reserve(days.size());
  for (std::int64_t day : days) walls.push_back(day * kSecondsPerDay + timeOfDay);
  return walls;
}

namespace {

bool OnlyEnd(const short* parts) {
  return parts[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

std::optional<YearlyRule> ReadYearlyRule(const icalrecurrencetype& r, int offsetFrom) {
  if (r.freq != ICAL_YEARLY_RECURRENCE || r.count != 0 || r.interval < 1) return std::nullopt;
  if (!OnlyEnd(r.by_second) || !OnlyEnd(r.by_minute) || !OnlyEnd(r.by_hour) ||
      !OnlyEnd(r.by_year_day) || !OnlyEnd(r.by_week_no) || !OnlyEnd(r.by_set_pos)) {
    return std::nullopt;
  }
  if (r.rscale != nullptr && r.rscale[0] != '\0') return std::nullopt;
  YearlyRule rule;
  rule.interval = r.interval;
  for (int i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    if (icalrecurrencetype_month_is_leap(r.by_month[i])) return std::nullopt;
    const int month = icalrecurrencetype_month_month(r.by_month[i]);
    if (month < 1 || month > 12) return std::nullopt;
    rule.months.push_back(month);
  }
  for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE && r.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX;
       ++i) {
    const int day = r.by_month_day[i];
    if (day == 0 || day < -31 || day > 31) return std::nullopt;
    rule.monthDays.push_back(day);
  }
  for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    const int position = icalrecurrencetype_day_position(r.by_day[i]);
    const int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(r.by_day[i])) - 1;
    if (weekday < 0 || weekday > 6 || position < -5 || position > 5) return std::nullopt;
    rule.weekdays.push_back({position, weekday});
  }
  if (!rule.weekdays.empty()) {
    // Days of the week counted through the whole year, or a weekday beside
    // month days with an ordinal, mean other things than these rules.
    if (rule.months.empty() && rule.monthDays.empty()) return std::nullopt;
    if (!rule.monthDays.empty() &&
        std::any_of(rule.weekdays.begin(), rule.weekdays.end(),
                    [](const YearlyRule::Weekday& w) { return w.ordinal != 0; })) {
      return std::nullopt;
    }
  }
  if (!icaltime_is_null_time(r.until)) {
    if (r.until.is_date) return std::nullopt;
    // An UNTIL in UTC is put on the part's clock with its TZOFFSETFROM.
    rule.until = WallOfFields(r.until) + (icaltime_is_utc(r.until) ? offsetFrom : 0);
  }
  return rule;
}

}  // namespace

std::optional<std::vector<Observance>> ObservancesOf(icalcomponent* vtimezone) {
  std::vector<Observance> parts;
  for (icalcomponent* c = icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT);
       c != nullptr; c = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
    const icalcomponent_kind kind = icalcomponent_isa(c);
    if (kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT) continue;
    Observance part;
    bool hasStart = false;
    bool hasTo = false;
    bool hasFrom = false;
    std::vector<icalproperty*> rules;
    std::vector<icalproperty*> rdates;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY)) {
      switch (icalproperty_isa(p)) {
        case ICAL_DTSTART_PROPERTY:
          part.start = WallOfFields(icalproperty_get_dtstart(p));
          hasStart = true;
          break;
        case ICAL_TZOFFSETTO_PROPERTY:
          part.offsetTo = icalproperty_get_tzoffsetto(p);
          hasTo = true;
          break;
        case ICAL_TZOFFSETFROM_PROPERTY:
          part.offsetFrom = icalproperty_get_tzoffsetfrom(p);
          hasFrom = true;
          break;
        case ICAL_RRULE_PROPERTY:
          rules.push_back(p);
          break;
        case ICAL_RDATE_PROPERTY:
          rdates.push_back(p);
          break;
        default:
          break;
      }
    }
    // A part without TZOFFSETFROM keeps its offset; one without DTSTART or
    // TZOFFSETTO makes no change at all.
    if (hasTo && !hasFrom) part.offsetFrom = part.offsetTo;
    if (!hasStart || !hasTo) continue;
    if (rules.size() > 1) return std::nullopt;
    if (!rules.empty()) {
      part.rule = ReadYearlyRule(icalproperty_get_rrule(rules.front()), part.offsetFrom);
      if (!part.rule) return std::nullopt;
    }
    for (icalproperty* p : rdates) {
      const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
      if (icaltime_is_null_time(value.time)) return std::nullopt;  // a period
      const icaltimetype& t = value.time;
      if (t.is_date) {
        // A date takes DTSTART's time of day and is not moved by the offset.
        part.rdates.push_back(
            {WallOfFields(t) + (part.start - DayOfWall(part.start) * kSecondsPerDay), true});
      } else {
        part.rdates.push_back({WallOfFields(t), icaltime_is_utc(t) != 0});
      }
    }
    parts.push_back(std::move(part));
  }
  return parts;
}

ZoneRules::ZoneRules(std::vector<Observance> parts) : parts_(std::move(parts)) {}

void ZoneRules::Cover(int year) const {
  std::vector<Change> changes;
  // Years looked at: a definition that would make more work than any real
  // zone (a damaged or made-up one) is left to libical.
  std::size_t years = 0;
  for (const Observance& part : parts_) {
    const auto add = [&](UtcSeconds at) {
      changes.push_back({at, part.offsetFrom, part.offsetTo});
    };
    if (!part.rule) add(ChangeTime(part, part.start));
    for (const Observance::Date& date : part.rdates) {
      add(date.instant ? date.at : ChangeTime(part, date.at));
    }
    if (!part.rule) continue;
    const YearlyRule& rule = *part.rule;
    add(ChangeTime(part, part.start));
    const int firstYear = YearOfWall(part.start);
    int lastYear = year;
    if (rule.until) lastYear = std::min(lastYear, YearOfWall(*rule.until));
    for (int y = firstYear; y <= lastYear; y += rule.interval) {
      if (++years > kMaxYears || changes.size() > kMaxChanges) {
        usable_ = false;
        return;
      }
      for (WallSeconds wall : YearlyInstances(rule, part.start, y)) {
        if (wall <= part.start) continue;  // DTSTART is in already
        if (rule.until && wall > *rule.until) break;
        add(ChangeTime(part, wall));
      }
    }
  }
  std::stable_sort(changes.begin(), changes.end(),
                   [](const Change& a, const Change& b) { return a.at < b.at; });
  changes_ = std::move(changes);
  coveredTo_ = year;
}

std::optional<int> ZoneRules::OffsetAtUtc(UtcSeconds utc) const {
  const int year = YearOfWall(utc);
  if (!usable_ || year > kLastYear || year < 1) return std::nullopt;
  // Rule instances of the next year may fall before this instant in UTC.
  if (year + 1 > coveredTo_) Cover(std::min(kLastYear + 1, std::max(year + 10, 2040)));
  if (!usable_) return std::nullopt;
  if (changes_.empty()) return 0;
  // The last change at or before the instant; before the first, what it changed from.
  const auto after = std::upper_bound(changes_.begin(), changes_.end(), utc,
                                      [](UtcSeconds t, const Change& c) { return t < c.at; });
  if (after == changes_.begin()) return changes_.front().before;
  return std::prev(after)->after;
}

}  // namespace lumivane::ical
