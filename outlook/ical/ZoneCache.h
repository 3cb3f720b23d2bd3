#pragma once
// The time zones of a store, shared by its sources: a VTIMEZONE that many
// files repeat (a vdir folder holds one per item) becomes one zone, and the
// system's zones are looked up once per name.
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "outlook/ical/IcalTimeZone.h"

typedef struct icalcomponent_impl icalcomponent;

namespace lumivane::ical {

// A zone definition with more changes of offset than this up to 2100 (or
// any rule more frequent than daily) is unusable: libical would spend
// minutes and gigabytes expanding it. Real zones change twice a year.
inline constexpr std::size_t kMaxZoneTransitions = 2000;

// True when the VTIMEZONE's STANDARD and DAYLIGHT parts make at most `limit`
// changes of offset up to 2100, none of them more often than daily.
bool HasBoundedTransitions(icalcomponent* vtimezone, std::size_t limit);

// The system's zone of a TZID (see ZoneCache::ByName); nullptr when unknown.
icaltimezone* FindSystemZone(std::string_view tzid);

class ZoneCache {
 public:
  // The zone a VTIMEZONE component defines, nullptr when libical refuses it.
  std::shared_ptr<const IcalTimeZone> FromDefinition(icalcomponent* vtimezone);
  // A zone of the system's time zone data by TZID: an Olson name (also after a
  // prefix such as "/example.org/2024a/Europe/Berlin") or a Windows zone name.
  // nullptr when the name is unknown.
  std::shared_ptr<const IcalTimeZone> ByName(std::string_view tzid);

  // Where a zone of this cache came from, so that a stored record can name it
  // and find it again: the TZID it was asked by, or its definition's text.
  struct Origin {
    bool defined = false;
    std::string text;
  };
  std::optional<Origin> OriginOf(const IcalTimeZone* zone) const;
  // The zone of an Origin; nullptr when the name is unknown or the definition
  // is refused. A named zone given its rules (kept from an earlier run in the
  // same time environment) is made from them without loading the zone data.
  std::shared_ptr<const IcalTimeZone> FromOrigin(const Origin& origin,
                                                 std::vector<Observance>* parts = nullptr);

 private:
  std::map<std::string, std::weak_ptr<const IcalTimeZone>, std::less<>> definitions_;
  std::map<std::string, std::shared_ptr<const IcalTimeZone>, std::less<>> byName_;
};

}  // namespace lumivane::ical
