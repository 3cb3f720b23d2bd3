// Recurrence expansion alone, over the rule mix of the generated stores
// (bench/tools/generate_store.py): 500 DAILY and WEEKLY series, every other
// week or day at times, some on a few weekdays, ending by COUNT, by UNTIL or
// not at all, starting within 18 months of the day the 6-day window opens.
//
//   ExpandRule/500      the program's path (the native expander)
//   ExpandWithLibical/500  the same rules walked by libical
#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "outlook/ical/IcalRecurrence.h"

namespace lumivane::ical {
namespace {

struct SeriesRule {
  std::string rule;
  WallSeconds dtstart;
  bool isDate;
};

std::vector<SeriesRule> RuleMix() {
  static const char* const kDays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
  std::mt19937 random(5000);
  auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<SeriesRule> mix;
  const WallSeconds today = WallFromFields(2026, 3, 2, 0, 0, 0);
  for (int i = 0; i < 500; ++i) {
    const bool isDate = uniform(0, 4) == 0;
    const std::int64_t day = DayOfWall(today) + uniform(-547, 548);
    const WallSeconds dtstart =
        day * kSecondsPerDay + (isDate ? 0 : uniform(6, 21) * 3600 + uniform(0, 3) * 900);
    const bool weekly = uniform(0, 1) == 1;
    std::string rule = weekly ? "FREQ=WEEKLY" : "FREQ=DAILY";
    if (uniform(0, 3) == 3) rule += ";INTERVAL=2";
    if (weekly && uniform(0, 1) == 1) {
      const int weekday = static_cast<int>(((day + 3) % 7 + 7) % 7);
      rule += std::string(";BYDAY=") + kDays[weekday];
      if (uniform(0, 1) == 1) rule += std::string(",") + kDays[(weekday + uniform(1, 6)) % 7];
    }
    switch (uniform(0, 2)) {
      case 0:
        rule += ";COUNT=" + std::to_string(uniform(3, 80));
        break;
      case 1: {
        // UNTIL as a wall date-time (a date for a date series).
        const auto until = static_cast<std::time_t>(dtstart + uniform(7, 400) * kSecondsPerDay);
        std::tm f{};
        gmtime_r(&until, &f);
        char text[32];
        std::strftime(text, sizeof text, isDate ? "%Y%m%d" : "%Y%m%dT%H%M%S", &f);
        rule += std::string(";UNTIL=") + text;
        break;
      }
      default:
        break;
    }
    mix.push_back({rule, dtstart, isDate});
  }
  return mix;
}

template <typename Expand>
void ExpandMix(benchmark::State& state, Expand expand) {
  const std::vector<SeriesRule> mix = RuleMix();
  const WallSeconds from = WallFromFields(2026, 3, 2, 0, 0, 0);
  const WallSeconds to = from + 6 * kSecondsPerDay - 1;
  std::size_t instances = 0;
  for (auto _ : state) {
    for (const SeriesRule& series : mix) {
      const std::vector<WallSeconds> starts =
          expand(series.rule, series.dtstart, series.isDate, from, to, nullptr, RuleLimits{});
      instances += starts.size();
      benchmark::DoNotOptimize(starts.data());
    }
  }
  state.counters["instances"] =
      benchmark::Counter(static_cast<double>(instances), benchmark::Counter::kAvgIterations);
}

void ExpandRuleMix(benchmark::State& state) {
  ExpandMix(state, ExpandRule);
}
void ExpandWithLibicalMix(benchmark::State& state) {
  ExpandMix(state, ExpandWithLibical);
}

BENCHMARK(ExpandRuleMix)->Name("ExpandRule/500")->Unit(benchmark::kMicrosecond);
BENCHMARK(ExpandWithLibicalMix)->Name("ExpandWithLibical/500")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumivane::ical

BENCHMARK_MAIN();
