#include "outlook/ical/RuleText.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace lumivane::ical {
namespace {

// A run of 1 to `maxDigits` ASCII digits, as a number.
std::optional<int> Digits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A list value with an optional minus sign, within [1, bound] by magnitude.
std::optional<int> SignedNumber(std::string_view text, int bound) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::optional<int> magnitude = Digits(negative ? text.substr(1) : text, 2);
  if (!magnitude || *magnitude < 1 || *magnitude > bound) return std::nullopt;
  return negative ? -*magnitude : *magnitude;
}

// libical counts weekdays from Sunday = 1.
std::optional<int> Weekday(std::string_view text) {
  static constexpr std::string_view kNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
  for (int i = 0; i < 7; ++i) {
    if (text == kNames[i]) return i + 1;
  }
  return std::nullopt;
}

// Calls `part` with each comma-separated element; false when one refuses.
template <typename Part>
bool ForEachElement(std::string_view list, Part part) {
  if (list.empty()) return false;
  while (true) {
    const auto comma = list.find(',');
    if (!part(list.substr(0, comma))) return false;
    if (comma == std::string_view::npos) return true;
    list.remove_prefix(comma + 1);
  }
}

// Appends to a list that libical ends with ICAL_RECURRENCE_ARRAY_MAX.
template <std::size_t N>
bool Append(short (&list)[N], std::size_t& used, int value) {
  if (used + 1 >= N) return false;
  list[used++] = static_cast<short>(value);
  return true;
}

// yyyymmdd, yyyymmddThhmmss or yyyymmddThhmmssZ.
bool ReadUntil(std::string_view text, icaltimetype& until) {
  if (text.size() != 8 && text.size() != 15 && text.size() != 16) return false;
  const auto year = Digits(text.substr(0, 4), 4);
  const auto month = Digits(text.substr(4, 2), 2);
  const auto day = Digits(text.substr(6, 2), 2);
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
      *day > icaltime_days_in_month(*month, *year)) {
    return false;
  }
  until = icaltime_null_time();
  until.year = *year;
  until.month = *month;
  until.day = *day;
  if (text.size() == 8) {
    until.is_date = 1;
    return true;
  }
  if (text[8] != 'T' || (text.size() == 16 && text[15] != 'Z')) return false;
  const auto hour = Digits(text.substr(9, 2), 2);
  const auto minute = Digits(text.substr(11, 2), 2);
  const auto second = Digits(text.substr(13, 2), 2);
  if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) return false;
  until.hour = *hour;
  until.minute = *minute;
  until.second = *second;
  if (text.size() == 16) until.zone = icaltimezone_get_utc_timezone();
  return true;
}

// libical orders BYDAY by the day's place in the week from WKST (two
// entries of one weekday, whose order is libical's own, are left to it).
void SortDays(icalrecurrencetype& rule, std::size_t count) {
  const auto place = [&rule](short day) {
    const int offset = static_cast<int>(icalrecurrencetype_day_day_of_week(day)) -
                       static_cast<int>(rule.week_start);
    return offset < 0 ? offset + 7 : offset;
  };
  std::sort(rule.by_day, rule.by_day + count,
            [&](short a, short b) { return place(a) < place(b); });
}

}  // namespace

bool ReadEverydayRule(std::string_view text, icalrecurrencetype& rule) {
  icalrecurrencetype_clear(&rule);
  enum Seen : unsigned {
    kFreq = 1,
    kInterval = 2,
    kCount = 4,
    kUntil = 8,
    kByDay = 16,
    kByMonthDay = 32,
    kByMonth = 64,
    kWeekStart = 128
  };
  unsigned seen = 0;
  std::size_t days = 0;
  std::size_t monthDays = 0;
  std::size_t months = 0;
  if (text.empty() || text.back() == ';') return false;
  while (!text.empty()) {
    const auto semicolon = text.find(';');
    const std::string_view part = text.substr(0, semicolon);
    text.remove_prefix(semicolon == std::string_view::npos ? text.size() : semicolon + 1);
    const auto equals = part.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view key = part.substr(0, equals);
    const std::string_view value = part.substr(equals + 1);
    const auto once = [&seen](Seen flag) {
      if ((seen & flag) != 0) return false;
      seen |= flag;
      return true;
    };
    if (key == "FREQ") {
      if (!once(kFreq)) return false;
      if (value == "DAILY") {
        rule.freq = ICAL_DAILY_RECURRENCE;
      } else if (value == "WEEKLY") {
        rule.freq = ICAL_WEEKLY_RECURRENCE;
      } else if (value == "MONTHLY") {
        rule.freq = ICAL_MONTHLY_RECURRENCE;
      } else if (value == "YEARLY") {
        rule.freq = ICAL_YEARLY_RECURRENCE;
      } else {
        return false;
      }
    } else if (key == "INTERVAL") {
      const auto interval = Digits(value, 4);
      if (!once(kInterval) || !interval || *interval < 1) return false;
      rule.interval = static_cast<short>(*interval);
    } else if (key == "COUNT") {
      const auto count = Digits(value, 6);
      if (!once(kCount) || !count || *count < 1) return false;
      rule.count = *count;
    } else if (key == "UNTIL") {
      if (!once(kUntil) || !ReadUntil(value, rule.until)) return false;
    } else if (key == "WKST") {
      const auto day = Weekday(value);
      if (!once(kWeekStart) || !day) return false;
      rule.week_start = static_cast<icalrecurrencetype_weekday>(*day);
    } else if (key == "BYDAY") {
      if (!once(kByDay)) return false;
      unsigned weekdays = 0;
      const bool read = ForEachElement(value, [&](std::string_view element) {
        if (element.size() < 2) return false;
        const auto day = Weekday(element.substr(element.size() - 2));
        const std::string_view position = element.substr(0, element.size() - 2);
        if (!day || (weekdays & (1U << *day)) != 0) return false;
        weekdays |= 1U << *day;
        if (position.empty()) return Append(rule.by_day, days, *day);
        const auto ordinal = SignedNumber(position, 5);
        if (!ordinal) return false;
        const int encoded = *day + 8 * (*ordinal < 0 ? -*ordinal : *ordinal);
        return Append(rule.by_day, days, *ordinal < 0 ? -encoded : encoded);
      });
      if (!read) return false;
    } else if (key == "BYMONTHDAY") {
      if (!once(kByMonthDay)) return false;
      const bool read = ForEachElement(value, [&](std::string_view element) {
        const auto day = SignedNumber(element, 31);
        return day && Append(rule.by_month_day, monthDays, *day);
      });
      if (!read) return false;
    } else if (key == "BYMONTH") {
      if (!once(kByMonth)) return false;
      const bool read = ForEachElement(value, [&](std::string_view element) {
        const auto month = Digits(element, 2);
        return month && *month >= 1 && *month <= 12 && Append(rule.by_month, months, *month);
      });
      if (!read) return false;
    } else {
      return false;
    }
  }
  // COUNT beside UNTIL is an error libical reports its own way.
  if ((seen & kFreq) == 0 || (seen & (kCount | kUntil)) == (kCount | kUntil)) return false;
  SortDays(rule, days);
  return true;
}

}  // namespace lumivane::ical
