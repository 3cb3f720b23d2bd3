#include "outlook/ical/CalendarRecords.h"

namespace lumivane::ical {

AutomationDate TimeBase::ToLocal(WallSeconds wall) const {
  switch (kind) {
    case Kind::Floating:
      return AutomationFromWall(wall);
    case Kind::Utc:
      return LocalFromUtc(wall);
    case Kind::Zoned:
      break;
  }
  return LocalFromUtc(zone->UtcFromWall(wall));
}

UtcSeconds TimeBase::ToUtc(WallSeconds wall) const {
  return kind == Kind::Zoned ? zone->UtcFromWall(wall) : wall;
}

WallSeconds TimeBase::FromUtc(UtcSeconds utc) const {
  return kind == Kind::Zoned ? zone->WallFromUtc(utc) : utc;
}

WallSeconds ConvertWall(const TimeBase& from, const TimeBase& to, WallSeconds wall) {
  if (from.kind == TimeBase::Kind::Floating || to.kind == TimeBase::Kind::Floating) return wall;
  if (from.kind == to.kind && from.zone == to.zone) return wall;
  return to.FromUtc(from.ToUtc(wall));
}

std::pair<AutomationDate, AutomationDate> LocalSpan(const TimeBase& base, bool isDate,
                                                    WallSeconds wall, std::int32_t days,
                                                    std::int64_t seconds) {
  const std::int64_t dayLength = static_cast<std::int64_t>(days) * kSecondsPerDay;
  if (isDate) {
    const WallSeconds day = DayOfWall(wall) * kSecondsPerDay;
    return {AutomationFromWall(day), AutomationFromWall(day + dayLength + seconds)};
  }
  if (base.kind == TimeBase::Kind::Floating) {
    return {AutomationFromWall(wall), AutomationFromWall(wall + dayLength + seconds)};
  }
  const UtcSeconds start = base.ToUtc(wall);
  // Days are counted on the zone's wall clock (a day over a change of offset
  // keeps its hour), seconds exactly.
  const UtcSeconds end = (days != 0 ? base.ToUtc(wall + dayLength) : start) + seconds;
  return {LocalFromUtc(start), LocalFromUtc(end)};
}

Occurrence OccurrenceAt(const Series& series, const Appointment& item, WallSeconds wall,
                        std::int64_t ownSeconds) {
  const auto [start, end] = ownSeconds >= 0
                                ? LocalSpan(series.base, series.isDate, wall, 0, ownSeconds)
                                : LocalSpan(series.base, series.isDate, wall, series.durationDays,
                                            series.durationSeconds);
  return {start, end, &item};
}

}  // namespace lumivane::ical
