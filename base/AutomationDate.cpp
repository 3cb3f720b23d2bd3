#include "base/AutomationDate.h"

#include <cmath>

namespace lumivane {
namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian), after
// H. Hinnant's days_from_civil.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long long kEpochOffset = 25569;  // 1970-01-01 as an automation date
constexpr double kMsPerDay = 86400000.0;

// Automation dates before the epoch keep a positive time fraction after a
// negative whole day (-1.25 is 29 December 1899 06:00).
long long WholeDays(AutomationDate date) {
  return static_cast<long long>(std::trunc(date));
}

}  // namespace

AutomationDate DateOf(AutomationDate date) {
  return static_cast<double>(WholeDays(date));
}

double TimeFractionOf(AutomationDate date) {
  return std::fabs(date - DateOf(date));
}

bool IsValidCivilDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[(month - 1) % 12];
}

AutomationDate EncodeDate(int year, int month, int day) {
  return static_cast<double>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffset);
}

AutomationDate EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                              int millisecond) {
  const double date = EncodeDate(year, month, day);
  const double time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
  return date >= 0 ? date + time : date - time;
}

long long DayNumber(AutomationDate date) {
  // Rounding the time up to the next day (23:59:59.9996) moves the day too.
  // A fraction rounds to a whole day's milliseconds exactly when it is at
  // least half a millisecond short of it (as std::llround would round it).
  long long days = WholeDays(date);
  if (TimeFractionOf(date) * kMsPerDay >= kMsPerDay - 0.5) days += date >= 0 ? 1 : -1;
  return days;
}

CivilDate DecodeDate(AutomationDate date) {
  return CivilFromDays(DayNumber(date) - kEpochOffset);
}

TimeOfDay DecodeTime(AutomationDate date) {
  long long ms = std::llround(TimeFractionOf(date) * kMsPerDay);
  if (ms >= static_cast<long long>(kMsPerDay)) ms = 0;
  TimeOfDay t;
  t.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.second = static_cast<int>(ms % 60);
  ms /= 60;
  t.minute = static_cast<int>(ms % 60);
  t.hour = static_cast<int>(ms / 60);
  return t;
}

int DayOfWeek(AutomationDate date) {
  const long long days = DayNumber(date) - kEpochOffset;
  // 1970-01-01 was a Thursday (4).
  return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

}  // namespace lumivane
