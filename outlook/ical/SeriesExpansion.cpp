#include "outlook/ical/SeriesExpansion.h"

#include <algorithm>

namespace lumivane::ical {
namespace {

struct Instance {
  WallSeconds start = 0;
  std::int64_t ownSeconds = -1;
};

bool Excluded(const Series& series, WallSeconds start) {
  if (std::find(series.exdates.begin(), series.exdates.end(), start) != series.exdates.end()) {
    return true;
  }
  const std::int64_t day = DayOfWall(start);
  return std::find(series.exdateDays.begin(), series.exdateDays.end(), day) !=
         series.exdateDays.end();
}

bool Overridden(const Series& series, WallSeconds start) {
  return std::any_of(series.overrides.begin(), series.overrides.end(), [&](const Override& o) {
    return o.dateOnly ? DayOfWall(o.recurrenceId) == DayOfWall(start) : o.recurrenceId == start;
  });
}

}  // namespace

const std::vector<Occurrence>& ExpandSeries(const Appointment& item, WallSeconds from,
                                            WallSeconds to) {
  const Series& series = *item.series;
  Series::Memo& memo = series.memo;
  if (memo.from == from && memo.to == to) return memo.occurrences;

  std::vector<Instance> instances;
  if (series.rules.empty()) {
    // Without a rule DTSTART is the first instance, the RDATEs the others.
    if (series.dtstart >= from && series.dtstart <= to) instances.push_back({series.dtstart});
  }
  const auto wallFromUtc = [&series](UtcSeconds utc) { return series.base.FromUtc(utc); };
  for (const SeriesRule& rule : series.rules) {
    std::optional<std::vector<WallSeconds>> starts;
    if (rule.native) starts = ExpandNatively(*rule.native, series.dtstart, series.isDate, from, to);
    // A rule without the native form, or one it declines for this DTSTART,
    // goes to libical (ExpandRule would only read and decline it again).
    if (!starts) {
      starts = ExpandWithLibical(rule.text, series.dtstart, series.isDate, from, to, wallFromUtc);
    }
    for (const WallSeconds start : *starts) instances.push_back({start});
  }
  for (const ExtraDate& extra : series.rdates) {
    if (extra.start >= from && extra.start <= to) instances.push_back({extra.start, extra.seconds});
  }
  std::stable_sort(instances.begin(), instances.end(),
                   [](const Instance& a, const Instance& b) { return a.start < b.start; });
  // The same instant from two rules, or a rule and an RDATE, is one instance.
  instances.erase(
      std::unique(instances.begin(), instances.end(),
                  [](const Instance& a, const Instance& b) { return a.start == b.start; }),
      instances.end());

  std::vector<Occurrence> occurrences;
  occurrences.reserve(instances.size() + series.overrides.size());
  for (const Instance& instance : instances) {
    if (Excluded(series, instance.start) || Overridden(series, instance.start)) continue;
    occurrences.push_back(OccurrenceAt(series, item, instance.start, instance.ownSeconds));
  }
  for (const Override& o : series.overrides) {
    if (!o.cancelled) occurrences.push_back({o.item.start, o.item.end, &o.item});
  }
  std::stable_sort(occurrences.begin(), occurrences.end(),
                   [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });

  memo.from = from;
  memo.to = to;
  memo.occurrences = std::move(occurrences);
  return memo.occurrences;
}

}  // namespace lumivane::ical
