#pragma once
// A time zone of libical (a VTIMEZONE of a file or a zone of the system's
// time zone data) with the conversions the server needs, answered by the
// zone's own rules wherever they take its definition. Wall times that a
// change of offset skips or repeats are read as RFC 5545 says: a skipped time
// with the offset before the gap, a repeated one as its first occurrence.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "outlook/ical/LocalTime.h"
#include "outlook/ical/ZoneRules.h"

typedef struct _icaltimezone icaltimezone;

namespace lumivane::ical {

class IcalTimeZone {
 public:
  // An owned zone is freed with this object; a built-in one belongs to libical.
  IcalTimeZone(icaltimezone* zone, bool owned);
  // A zone whose rules were kept from an earlier run: libical's zone (loaded
  // from the system's zone data, which costs more than a refresh) is fetched
  // only for a time the rules do not answer.
  IcalTimeZone(std::vector<Observance> parts, std::function<icaltimezone*()> fetch);
  ~IcalTimeZone();
  IcalTimeZone(const IcalTimeZone&) = delete;
  IcalTimeZone& operator=(const IcalTimeZone&) = delete;

  // Seconds to add to UTC for the wall clock of the zone.
  int OffsetAtUtc(UtcSeconds utc) const;
  UtcSeconds UtcFromWall(WallSeconds wall) const;
  WallSeconds WallFromUtc(UtcSeconds utc) const { return utc + OffsetAtUtc(utc); }

  // The zone's rules; nullptr when its definition is of a form only libical reads.
  const ZoneRules* Rules() const;

 private:
  int ExactOffset(UtcSeconds utc) const;
  icaltimezone* Zone() const;

  mutable icaltimezone* zone_;
  bool owned_;
  mutable std::function<icaltimezone*()> fetch_;  // until zone_ is known
  // The zone's changes worked out by our own rules, read at the first
  // question; libical answers for definitions they do not take.
  mutable bool rulesRead_ = false;
  mutable std::optional<ZoneRules> rules_;
  // Offsets at the start and the end of each UTC week asked for: a week whose
  // two agree has no change (zones change at most once a week), so libical's
  // search runs only in the weeks of a change. The server runs on one thread.
  mutable std::unordered_map<std::int64_t, std::pair<int, int>> spanOffsets_;
};

}  // namespace lumivane::ical
