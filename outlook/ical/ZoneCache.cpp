#include "outlook/ical/ZoneCache.h"

#include <libical/ical.h>

#include <cstdlib>

#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/WindowsZoneNames.h"

namespace lumivane::ical {
namespace {

const icaltimetype kFirstYear = icaltime_from_string("19700101T000000Z");

}  // namespace

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
  icaltimezone_truncate_vtimezone(definition, kFirstYear, icaltime_null_time(), 0);
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

std::shared_ptr<const IcalTimeZone> ZoneCache::Builtin(const std::string& olson) {
  icaltimezone* zone = icaltimezone_get_builtin_timezone(olson.c_str());
  return zone != nullptr ? std::make_shared<const IcalTimeZone>(zone, false) : nullptr;
}

std::shared_ptr<const IcalTimeZone> ZoneCache::ByName(std::string_view tzid) {
  if (auto found = byName_.find(tzid); found != byName_.end()) return found->second;
  std::shared_ptr<const IcalTimeZone> zone;
  // The name itself, then without one leading path segment after another:
  // some programs put their own prefix before the Olson name.
  for (std::string_view name = tzid; !zone && !name.empty();) {
    zone = Builtin(std::string(name));
    const auto slash = name.find('/');
    if (slash == std::string_view::npos) break;
    name.remove_prefix(slash + 1);
  }
  if (!zone) {
    if (const std::string olson = OlsonNameOfWindowsZone(tzid); !olson.empty()) {
      zone = Builtin(olson);
    }
  }
  byName_.emplace(std::string(tzid), zone);  // unknown names are remembered too
  return zone;
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

std::shared_ptr<const IcalTimeZone> ZoneCache::FromOrigin(const Origin& origin) {
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
