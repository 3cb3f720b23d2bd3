#include "outlook/ical/IcalTimeZone.h"

#include <libical/ical.h>

#include <algorithm>

namespace lumivane::ical {
namespace {

icaltimetype UtcFields(UtcSeconds utc) {
  return icaltime_from_timet_with_zone(static_cast<time_t>(utc), 0,
                                       icaltimezone_get_utc_timezone());
}

}  // namespace

IcalTimeZone::IcalTimeZone(icaltimezone* zone, bool owned) : zone_(zone), owned_(owned) {}

IcalTimeZone::~IcalTimeZone() {
  if (owned_ && zone_ != nullptr) icaltimezone_free(zone_, 1);
}

int IcalTimeZone::ExactOffset(UtcSeconds utc) const {
  icaltimetype fields = UtcFields(utc);
  int daylight = 0;
  return icaltimezone_get_utc_offset_of_utc_time(zone_, &fields, &daylight);
}

int IcalTimeZone::OffsetAtUtc(UtcSeconds utc) const {
  const std::int64_t day = DayOfWall(utc);
  auto found = dayOffsets_.find(day);
  if (found == dayOffsets_.end()) {
    const std::pair<int, int> offsets{ExactOffset(day * kSecondsPerDay),
                                      ExactOffset((day + 1) * kSecondsPerDay - 1)};
    found = dayOffsets_.emplace(day, offsets).first;
  }
  const auto [first, last] = found->second;
  return first == last ? first : ExactOffset(utc);
}

UtcSeconds IcalTimeZone::UtcFromWall(WallSeconds wall) const {
  // Offsets in force a day before and a day after bracket the wall time.
  const int before = OffsetAtUtc(wall - kSecondsPerDay);
  const int after = OffsetAtUtc(wall + kSecondsPerDay);
  if (before == after) return wall - before;
  const UtcSeconds withBefore = wall - before;
  const UtcSeconds withAfter = wall - after;
  const bool beforeValid = OffsetAtUtc(withBefore) == before;
  const bool afterValid = OffsetAtUtc(withAfter) == after;
  if (beforeValid && afterValid) return std::min(withBefore, withAfter);  // repeated hour
  if (afterValid) return withAfter;
  // Valid with the earlier offset, or skipped by the change: the earlier offset.
  return withBefore;
}

}  // namespace lumivane::ical
