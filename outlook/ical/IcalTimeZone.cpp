#include "outlook/ical/IcalTimeZone.h"

#include <libical/ical.h>

#include <algorithm>
#include <ctime>

#include "outlook/ical/CivilCalendar.h"
#include "outlook/ical/IcalFields.h"

namespace lumivane::ical {
namespace {

// Zones change their offset at most once a week, so the offsets at the two
// ends of a week tell whether it holds a change.
constexpr std::int64_t kSpan = 7 * kSecondsPerDay;

icaltimetype UtcFields(UtcSeconds utc) {
  icaltimetype result = FieldsOfWall(utc, false);
  result.zone = icaltimezone_get_utc_timezone();
  return result;
}

}  // namespace

IcalTimeZone::IcalTimeZone(icaltimezone* zone, bool owned) : zone_(zone), owned_(owned) {}

IcalTimeZone::IcalTimeZone(std::vector<Observance> parts, std::function<icaltimezone*()> fetch)
    : zone_(nullptr), owned_(false), fetch_(std::move(fetch)), rulesRead_(true) {
  rules_.emplace(std::move(parts));
}

icaltimezone* IcalTimeZone::Zone() const {
  if (zone_ == nullptr && fetch_) {
    zone_ = fetch_();
    fetch_ = nullptr;
  }
  return zone_;
}

IcalTimeZone::~IcalTimeZone() {
  if (owned_ && zone_ != nullptr) icaltimezone_free(zone_, 1);
}

int IcalTimeZone::ExactOffset(UtcSeconds utc) const {
  icaltimetype fields = UtcFields(utc);
  int daylight = 0;
  // A zone no longer found in the zone data counts as UTC, as libical counts a missing one.
  return icaltimezone_get_utc_offset_of_utc_time(Zone(), &fields, &daylight);
}

const ZoneRules* IcalTimeZone::Rules() const {
  if (!rulesRead_) {
    rulesRead_ = true;
    if (icalcomponent* definition = icaltimezone_get_component(Zone())) {
      if (auto parts = ObservancesOf(definition)) rules_.emplace(std::move(*parts));
    }
  }
  return rules_ ? &*rules_ : nullptr;
}

int IcalTimeZone::OffsetAtUtc(UtcSeconds utc) const {
  if (const ZoneRules* rules = Rules()) {
    if (const std::optional<int> offset = rules->OffsetAtUtc(utc)) return *offset;
  }
  const std::int64_t span = FloorDiv(utc, kSpan);
  auto found = spanOffsets_.find(span);
  if (found == spanOffsets_.end()) {
    const std::pair<int, int> offsets{ExactOffset(span * kSpan),
                                      ExactOffset((span + 1) * kSpan - 1)};
    found = spanOffsets_.emplace(span, offsets).first;
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
