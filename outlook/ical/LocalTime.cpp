#include "outlook/ical/LocalTime.h"

#include <cmath>
#include <ctime>

#include "outlook/ical/CivilCalendar.h"

namespace lumivane::ical {
namespace {

// 1899-12-30, the day 0 of automation dates, in wall seconds.
constexpr std::int64_t kAutomationEpochDays = 25569;

}  // namespace

WallSeconds WallFromFields(int year, int month, int day, int hour, int minute, int second) {
  return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

AutomationDate AutomationFromWall(WallSeconds wall) {
  const std::int64_t days = DayOfWall(wall) + kAutomationEpochDays;
  const double fraction = static_cast<double>(wall - DayOfWall(wall) * kSecondsPerDay) /
                          static_cast<double>(kSecondsPerDay);
  // Before day 0 the fraction counts away from zero: -1.25 is 29 December 06:00.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

WallSeconds WallFromAutomation(AutomationDate date) {
  const double whole = std::trunc(date);
  const auto seconds = std::llround(std::fabs(date - whole) * kSecondsPerDay);
  return (static_cast<std::int64_t>(whole) - kAutomationEpochDays) * kSecondsPerDay + seconds;
}

WallSeconds LocalWallFromUtc(UtcSeconds utc) {
  const auto t = static_cast<std::time_t>(utc);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return utc;
  return utc + local.tm_gmtoff;
}

}  // namespace lumivane::ical
