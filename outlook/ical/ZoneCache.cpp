#include "outlook/ical/ZoneCache.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdlib>

#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/WindowsZoneNames.h"

namespace lumivane::ical {
namespace {

// Made when first needed: libical's UTC zone, which it names, costs a
// program that never reads a zone (`--version`) its start-up.
icaltimetype FirstYear() {
  static const icaltimetype first = icaltime_from_string("19700101T000000Z");
  return first;
}

// Changes of offset counted up to this year; a zone with more is refused.
constexpr int kLastCountedYear = 2100;

// The changes of offset one STANDARD or DAYLIGHT part makes, counted up to
// `limit`. A rule more frequent than daily counts as over any limit: libical
// would expand it for ever.
std::size_t CountTransitions(icalcomponent* part, std::size_t limit) {
  std::size_t count = 0;
  for (icalproperty* p = icalcomponent_get_first_property(part, ICAL_RDATE_PROPERTY);
       p != nullptr && count <= limit;
       p = icalcomponent_get_next_property(part, ICAL_RDATE_PROPERTY)) {
    ++count;
  }
  const icaltimetype start = icalcomponent_get_dtstart(part);
  for (icalproperty* p = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY);
       p != nullptr && count <= limit;
       p = icalcomponent_get_next_property(part, ICAL_RRULE_PROPERTY)) {
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    if (rule.freq == ICAL_NO_RECURRENCE) continue;
    if (rule.freq < ICAL_DAILY_RECURRENCE || icaltime_is_null_time(start)) return limit + 1;
    icalrecur_iterator* walk = icalrecur_iterator_new(rule, start);
    if (walk == nullptr) continue;
    for (icaltimetype t = icalrecur_iterator_next(walk);
         !icaltime_is_null_time(t) && t.year <= kLastCountedYear && count <= limit;
         t = icalrecur_iterator_next(walk)) {
      ++count;
    }
    icalrecur_iterator_free(walk);
  }
  return count;
}

}  // namespace

bool HasBoundedTransitions(icalcomponent* vtimezone, std::size_t limit) {
  std::size_t count = 0;
  for (icalcomponent* part = icalcomponent_get_first_component(vtimezone, ICAL_ANY_COMPONENT);
       part != nullptr; part = icalcomponent_get_next_component(vtimezone, ICAL_ANY_COMPONENT)) {
    const icalcomponent_kind kind = icalcomponent_isa(part);
    if (kind != ICAL_XSTANDARD_COMPONENT && kind != ICAL_XDAYLIGHT_COMPONENT) continue;
    count += CountTransitions(part, limit - std::min(count, limit));
    if (count > limit) return false;
  }
  return true;
}

std::shared_ptr<const IcalTimeZone> ZoneCache::FromDefinition(icalcomponent* vtimezone) {
  char* text = icalcomponent_as_ical_string_r(vtimezone);
  if (text == nullptr) return nullptr;
  std::string key(text);
  std::free(text);
  if (auto found = definitions_.find(key); found != definitions_.end()) {
    if (auto zone = found->second.lock()) return zone;
  }
  icaltimezone* zone = icaltimezone_new();
  if (zone == nullptr) return nullptr;
  // The zone takes the clone; the source's parse tree is freed after reading.
  // Rules that begin centuries ago (Windows programs write 1601) would make
  // libical walk every year since; calendar data starts in 1970.
  icalcomponent* definition = icalcomponent_new_clone(vtimezone);
  icaltimezone_truncate_vtimezone(definition, FirstYear(), icaltime_null_time(), 0);
  // Rules of every minute (or too many changes) are refused: the zone is
  // unusable and its times are read without it.
  if (!HasBoundedTransitions(definition, kMaxZoneTransitions)) {
    icalcomponent_free(definition);
    icaltimezone_free(zone, 1);
    return nullptr;
  }
  if (icaltimezone_set_component(zone, definition) == 0) {
    icalcomponent_free(definition);  // refused (no TZID): the zone did not take it
    icaltimezone_free(zone, 1);
    return nullptr;
  }
  auto shared = std::make_shared<const IcalTimeZone>(zone, true);
  if (definitions_.size() >= 64)
    std::erase_if(definitions_, [](const auto& entry) { return entry.second.expired(); });
  definitions_[std::move(key)] = shared;
  return shared;
}

icaltimezone* FindSystemZone(std::string_view tzid) {
  // The name itself, then without one leading path segment after another:
  // some programs put their own prefix before the Olson name.
  for (std::string_view name = tzid; !name.empty();) {
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone(std::string(name).c_str())) {
      return zone;
    }
    const auto slash = name.find('/');
    if (slash == std::string_view::npos) break;
    name.remove_prefix(slash + 1);
  }
  if (const std::string olson = OlsonNameOfWindowsZone(tzid); !olson.empty()) {
    return icaltimezone_get_builtin_timezone(olson.c_str());
  }
  return nullptr;
}

std::shared_ptr<const IcalTimeZone> ZoneCache::ByName(std::string_view tzid) {
  if (auto found = byName_.find(tzid); found != byName_.end()) return found->second;
  icaltimezone* zone = FindSystemZone(tzid);
  auto shared = zone != nullptr ? std::make_shared<const IcalTimeZone>(zone, false) : nullptr;
  byName_.emplace(std::string(tzid), shared);  // unknown names are remembered too
  return shared;
}

std::optional<ZoneCache::Origin> ZoneCache::OriginOf(const IcalTimeZone* zone) const {
  for (const auto& [name, known] : byName_) {
    if (known.get() == zone) return Origin{false, name};
  }
  for (const auto& [text, known] : definitions_) {
    if (known.lock().get() == zone) return Origin{true, text};
  }
  return std::nullopt;
}

std::shared_ptr<const IcalTimeZone> ZoneCache::FromOrigin(const Origin& origin,
                                                          std::vector<Observance>* parts) {
  if (!origin.defined && parts != nullptr) {
    if (auto found = byName_.find(origin.text); found != byName_.end()) return found->second;
    auto zone = std::make_shared<const IcalTimeZone>(
        std::move(*parts), [name = origin.text] { return FindSystemZone(name); });
    byName_.emplace(origin.text, zone);
    return zone;
  }
  if (!origin.defined) return ByName(origin.text);
  if (auto found = definitions_.find(origin.text); found != definitions_.end()) {
    if (auto zone = found->second.lock()) return zone;
  }
  EnsureIcalLibraryReady();
  icalcomponent* parsed = icalparser_parse_string(origin.text.c_str());
  if (parsed == nullptr) return nullptr;
  std::shared_ptr<const IcalTimeZone> zone;
  if (icalcomponent_isa(parsed) == ICAL_VTIMEZONE_COMPONENT) zone = FromDefinition(parsed);
  icalcomponent_free(parsed);
  return zone;
}

}  // namespace lumivane::ical
