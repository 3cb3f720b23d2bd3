#pragma once
// The clocks of the server. A calendar time is read as "wall seconds": its
// civil fields counted as seconds since 1970-01-01 00:00, whatever its zone.
// Times then become automation dates in the local time of the process (TZ).
#include <cstdint>

#include "base/AutomationDate.h"

namespace lumivane::ical {

using WallSeconds = std::int64_t;
using UtcSeconds = std::int64_t;

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Floor division that also holds for times before 1970.
constexpr std::int64_t DayOfWall(WallSeconds wall) {
  return wall >= 0 ? wall / kSecondsPerDay : -((-wall + kSecondsPerDay - 1) / kSecondsPerDay);
}

WallSeconds WallFromFields(int year, int month, int day, int hour, int minute, int second);

// A wall time read as it stands (floating times, dates).
AutomationDate AutomationFromWall(WallSeconds wall);
// The inverse, rounded to the second; the automation encoding before 1899
// (a negative day with a positive fraction) is taken into account, so the
// result orders as the dates do.
WallSeconds WallFromAutomation(AutomationDate date);

// An instant in the local time of the process.
WallSeconds LocalWallFromUtc(UtcSeconds utc);
inline AutomationDate LocalFromUtc(UtcSeconds utc) {
  return AutomationFromWall(LocalWallFromUtc(utc));
}

}  // namespace lumivane::ical
