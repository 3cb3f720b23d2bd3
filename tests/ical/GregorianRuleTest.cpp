#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "outlook/ical/GregorianRule.h"
#include "outlook/ical/IcalRecurrence.h"

namespace lumivane::ical {
namespace {

using ::testing::ElementsAre;

WallSeconds Wall(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return WallFromFields(year, month, day, hour, minute, second);
}

std::string Text(WallSeconds wall) {
  if (wall == kNoLowerBound || wall == kNoUpperBound) return "(open)";
  const auto t = static_cast<std::time_t>(wall);
  std::tm f{};
  gmtime_r(&t, &f);
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", f.tm_year + 1900, f.tm_mon + 1,
                f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec);
  return text;
}

std::vector<std::string> Texts(const std::vector<WallSeconds>& walls) {
  std::vector<std::string> texts;
  texts.reserve(walls.size());
  for (WallSeconds wall : walls) texts.push_back(Text(wall));
  return texts;
}

// UNTIL in UTC is read an hour ahead of the wall clock of these series.
WallSeconds WallFromUtc(UtcSeconds utc) {
  return utc + 3600;
}

// The native instances, checked against libical's for the same rule.
std::vector<std::string> Native(const std::string& rule, WallSeconds dtstart, bool isDate = false,
                                WallSeconds from = kNoLowerBound, WallSeconds to = kNoUpperBound,
                                RuleLimits limits = {}) {
  const auto native = ExpandRuleNatively(rule, dtstart, isDate, from, to, WallFromUtc, limits);
  EXPECT_TRUE(native.has_value()) << rule << " from " << Text(dtstart);
  if (!native) return {};
  EXPECT_EQ(Texts(*native),
            Texts(ExpandWithLibical(rule, dtstart, isDate, from, to, WallFromUtc, limits)))
      << rule << " from " << Text(dtstart);
  return Texts(*native);
}

TEST(GregorianRuleTest, MonthlyOnTheThirtyFirstSkipsShortMonths) {
  EXPECT_THAT(Native("FREQ=MONTHLY;COUNT=5", Wall(2024, 1, 31, 9)),
              ElementsAre("20240131T090000", "20240331T090000", "20240531T090000",
                          "20240731T090000", "20240831T090000"));
  EXPECT_THAT(
      Native("FREQ=MONTHLY;BYMONTHDAY=30,-1;COUNT=4", Wall(2024, 1, 30, 9)),
      ElementsAre("20240130T090000", "20240131T090000", "20240229T090000", "20240330T090000"));
}

TEST(GregorianRuleTest, YearlyOnFebruaryTwentyNinthOnlyInLeapYears) {
  EXPECT_THAT(Native("FREQ=YEARLY;COUNT=3", Wall(2096, 2, 29), true),
              ElementsAre("20960229T000000", "21040229T000000", "21080229T000000"));
  // A window far from DTSTART is reached without a walk and keeps the phase.
  EXPECT_THAT(
      Native("FREQ=YEARLY;INTERVAL=4", Wall(2000, 2, 29, 7), false, Wall(2090, 1, 1),
             Wall(2110, 1, 1)),
      ElementsAre("20920229T070000", "20960229T070000", "21040229T070000", "21080229T070000"));
}

TEST(GregorianRuleTest, OrdinalWeekdaysCountWithinTheMonth) {
  EXPECT_THAT(
      Native("FREQ=MONTHLY;BYDAY=-1FR;COUNT=4", Wall(2024, 1, 26, 18)),
      ElementsAre("20240126T180000", "20240223T180000", "20240329T180000", "20240426T180000"));
  EXPECT_THAT(
      Native("FREQ=YEARLY;BYMONTH=3,10;BYDAY=-1SU", Wall(2024, 3, 31, 2), false, Wall(2030, 1, 1),
             Wall(2031, 12, 31)),
      ElementsAre("20300331T020000", "20301027T020000", "20310330T020000", "20311026T020000"));
  EXPECT_THAT(Native("FREQ=MONTHLY;BYDAY=5MO;COUNT=3", Wall(2024, 1, 29, 8)),
              ElementsAre("20240129T080000", "20240429T080000", "20240729T080000"));
}

TEST(GregorianRuleTest, WeekStartDecidesWhichWeeksAnIntervalSkips) {
  // Tuesday 5 August 1997: with weeks from Monday the Sunday after it is in
  // the same week, with weeks from Sunday it starts the skipped week.
  EXPECT_THAT(
      Native("FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=MO", Wall(1997, 8, 5, 9)),
      ElementsAre("19970805T090000", "19970810T090000", "19970819T090000", "19970824T090000"));
  EXPECT_THAT(
      Native("FREQ=WEEKLY;INTERVAL=2;COUNT=4;BYDAY=TU,SU;WKST=SU", Wall(1997, 8, 5, 9)),
      ElementsAre("19970805T090000", "19970817T090000", "19970819T090000", "19970831T090000"));
}

TEST(GregorianRuleTest, CountIsCountedFromDtstartWhenTheWindowIsLater) {
  // The 7th to 10th instance of a daily and a twice-weekly series.
  EXPECT_THAT(
      Native("FREQ=DAILY;INTERVAL=3;COUNT=10", Wall(2025, 1, 1, 9), false, Wall(2025, 1, 19),
             kNoUpperBound),
      ElementsAre("20250119T090000", "20250122T090000", "20250125T090000", "20250128T090000"));
  EXPECT_THAT(Native("FREQ=WEEKLY;BYDAY=TH,MO;COUNT=5", Wall(2025, 1, 2, 9), false,
                     Wall(2025, 1, 13), kNoUpperBound),
              ElementsAre("20250113T090000", "20250116T090000"));
}

TEST(GregorianRuleTest, UntilAndLastYearEndTheSeries) {
  EXPECT_THAT(Native("FREQ=DAILY;UNTIL=20250103T080000Z", Wall(2025, 1, 1, 9)),
              ElementsAre("20250101T090000", "20250102T090000", "20250103T090000"));
  EXPECT_THAT(Native("FREQ=WEEKLY;UNTIL=20250115", Wall(2025, 1, 1), true),
              ElementsAre("20250101T000000", "20250108T000000", "20250115T000000"));
  EXPECT_THAT(Native("FREQ=DAILY", Wall(2582, 12, 30, 9)),
              ElementsAre("25821230T090000", "25821231T090000"));
}

TEST(GregorianRuleTest, UnboundedWindowsStopAtTheInstanceLimit) {
  RuleLimits limits;
  limits.maxInstances = 3;
  EXPECT_THAT(Native("FREQ=MONTHLY;BYDAY=MO,FR;BYMONTHDAY=13", Wall(2026, 2, 13, 12), false,
                     kNoLowerBound, kNoUpperBound, limits),
              ElementsAre("20260213T120000", "20260313T120000", "20260413T120000"));
  limits.maxSteps = 2;
  EXPECT_THAT(Native("FREQ=DAILY;COUNT=10", Wall(2026, 2, 13, 12), false, kNoLowerBound,
                     kNoUpperBound, limits),
              ElementsAre("20260213T120000", "20260214T120000"));
}

TEST(GregorianRuleTest, RulesOutsideTheSupportedSetAreLeftToLibical) {
  const WallSeconds dtstart = Wall(2025, 1, 6, 9);  // a Monday
  for (const char* rule :
       {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=-1", "FREQ=DAILY;BYHOUR=9,17", "FREQ=HOURLY;COUNT=3",
        "FREQ=YEARLY;BYDAY=1MO", "FREQ=YEARLY;BYWEEKNO=2", "FREQ=YEARLY;BYYEARDAY=6",
        "FREQ=WEEKLY;BYDAY=1MO", "FREQ=WEEKLY;BYMONTHDAY=6", "FREQ=DAILY;BYMONTHDAY=6,-26",
        "FREQ=YEARLY;BYMONTHDAY=6", "FREQ=WEEKLY;INTERVAL=2;BYMONTH=1,6"}) {
    EXPECT_FALSE(ExpandRuleNatively(rule, dtstart, false, kNoLowerBound, kNoUpperBound, WallFromUtc)
                     .has_value())
        << rule;
    // ExpandRule still answers, with libical's instances.
    RuleLimits limits;
    limits.maxInstances = 5;
    EXPECT_EQ(
        ExpandRule(rule, dtstart, false, kNoLowerBound, kNoUpperBound, WallFromUtc, limits),
        ExpandWithLibical(rule, dtstart, false, kNoLowerBound, kNoUpperBound, WallFromUtc, limits))
        << rule;
  }
  // A DTSTART that is no instance of its rule, or from Julian calendar years.
  EXPECT_FALSE(ExpandRuleNatively("FREQ=WEEKLY;BYDAY=TU", dtstart, false, kNoLowerBound,
                                  kNoUpperBound, WallFromUtc));
  EXPECT_FALSE(ExpandRuleNatively("FREQ=DAILY", Wall(1500, 1, 1), true, kNoLowerBound,
                                  kNoUpperBound, WallFromUtc));
  // libical makes a weekly instance twice for a weekday named twice.
  EXPECT_FALSE(ExpandRuleNatively("FREQ=WEEKLY;BYDAY=MO,FR,MO", dtstart, false, kNoLowerBound,
                                  kNoUpperBound, WallFromUtc));
}

// Random rules of the supported set, each expanded over several windows,
// natively and with libical. The seed is fixed so a failure reproduces.
class RuleGenerator {
 public:
  explicit RuleGenerator(std::uint64_t seed) : random_(seed) {}

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  // The rule without its end (COUNT or UNTIL).
  std::string Pattern() {
    static const char* const kFrequencies[] = {"DAILY", "WEEKLY", "MONTHLY", "YEARLY"};
    const int frequency = Uniform(0, 3);
    std::string rule = std::string("FREQ=") + kFrequencies[frequency];
    const int interval = Uniform(1, 4);
    if (interval > 1 || Chance(0.1)) rule += ";INTERVAL=" + std::to_string(interval);
    switch (frequency) {
      case 0:  // BYxxx limit a daily rule
        if (Chance(0.4)) rule += ";BYDAY=" + Weekdays(false);
        if (Chance(0.2)) rule += ";BYMONTH=" + Months();
        if (Chance(0.2)) rule += ";BYMONTHDAY=" + MonthDays(false);
        break;
      case 1:
        if (Chance(0.6)) rule += ";BYDAY=" + Weekdays(false);
        if (interval == 1 && Chance(0.15)) rule += ";BYMONTH=" + Months();
        break;
      case 2: {
        const int kind = Uniform(0, 4);
        if (kind == 1 || kind == 3) rule += ";BYMONTHDAY=" + MonthDays(true);
        if (kind == 2 || kind == 3) rule += ";BYDAY=" + Weekdays(true);
        if (kind == 4) rule += ";BYDAY=" + Weekdays(false);
        if (Chance(0.2)) rule += ";BYMONTH=" + Months();
        break;
      }
      default: {
        const int kind = Uniform(0, 5);
        const bool byMonth = kind == 1 || kind == 2 || kind == 3 || kind == 4 || Chance(0.3);
        if (byMonth) rule += ";BYMONTH=" + Months();
        if (kind == 2 || kind == 4) rule += ";BYMONTHDAY=" + MonthDays(true);
        if (kind == 3 || kind == 5 || (kind == 4 && Chance(0.5))) {
          rule += ";BYDAY=" + Weekdays(byMonth && kind == 3);
        }
        break;
      }
    }
    if (Chance(0.3)) rule += ";WKST=" + std::string(kDays[Uniform(0, 6)]);
    return rule;
  }

  // A day in one of the years the series start in.
  WallSeconds SomeDay(bool isDate) {
    static const int kYears[] = {1601, 1970, 2000, 2010, 2020, 2025, 2030};
    const int year = kYears[Uniform(0, 6)] + Uniform(0, 2);
    const WallSeconds day = Wall(year, Uniform(1, 12), Uniform(1, 28));
    return isDate ? day
                  : day + std::int64_t{Uniform(0, 23)} * 3600 + std::int64_t{Uniform(0, 3)} * 900;
  }

 private:
  static constexpr const char* kDays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

  // Distinct entries: libical repeats a weekly instance for a day named twice,
  // and such rules are left to it.
  std::string Weekdays(bool ordinals) {
    std::vector<std::string> entries;
    const int n = Uniform(1, 3);
    while (static_cast<int>(entries.size()) < n) {
      std::string entry;
      if (ordinals && Chance(0.7)) {
        const int ordinal = Uniform(1, 5);
        entry = std::to_string(Chance(0.4) ? -ordinal : ordinal);
      }
      entry += kDays[Uniform(0, 6)];
      if (std::find(entries.begin(), entries.end(), entry) == entries.end()) {
        entries.push_back(entry);
      }
    }
    std::string list;
    for (const std::string& entry : entries) list += (list.empty() ? "" : ",") + entry;
    return list;
  }

  std::string Months() {
    std::string list = std::to_string(Uniform(1, 12));
    if (Chance(0.4)) list += "," + std::to_string(Uniform(1, 12));
    return list;
  }

  // Negative days are left out of DAILY rules, which libical reads its own way.
  std::string MonthDays(bool negative) {
    static const int kDays[] = {1, 13, 15, 28, 29, 30, 31, -1, -2, -7, -28, -30, -31};
    std::string list;
    const int n = Uniform(1, 2);
    for (int i = 0; i < n; ++i) {
      if (!list.empty()) list += ',';
      const int day = Chance(0.7) ? kDays[Uniform(0, 12)] : Uniform(1, 31);
      list += std::to_string(negative ? day : std::abs(day));
    }
    return list;
  }

  std::mt19937_64 random_;
};

TEST(GregorianRuleTest, GeneratedRulesGiveLibicalsInstances) {
  RuleGenerator generator(20260214);
  int cases = 0;
  int patterns = 0;
  for (int n = 0; n < 600; ++n) {
    const std::string pattern = generator.Pattern();
    const bool isDate = generator.Chance(0.3);
    // DTSTART is the first instance libical gives from some day: aligned.
    RuleLimits one;
    one.maxInstances = 1;
    const auto first = ExpandWithLibical(pattern, generator.SomeDay(isDate), isDate, kNoLowerBound,
                                         kNoUpperBound, WallFromUtc, one);
    if (first.empty()) continue;
    const WallSeconds dtstart = first.front();
    ++patterns;

    std::string rule = pattern;
    const int end = generator.Uniform(0, 2);
    if (end == 1) {
      rule += ";COUNT=" + std::to_string(generator.Chance(0.8) ? generator.Uniform(1, 40)
                                                               : generator.Uniform(100, 400));
    } else if (end == 2) {
      const WallSeconds until =
          dtstart + generator.Uniform(0, 3 * 366) * kSecondsPerDay + generator.Uniform(-7200, 7200);
      const std::string text = Text(until);
      rule += ";UNTIL=" + (generator.Chance(0.3)   ? text.substr(0, 8)
                           : generator.Chance(0.5) ? text + "Z"
                                                   : text);
    }

    const std::int64_t day = kSecondsPerDay;
    const WallSeconds offset = generator.Uniform(0, 86399);
    struct Window {
      WallSeconds from;
      WallSeconds to;
      std::size_t maxInstances;
    };
    const Window windows[] = {
        {kNoLowerBound, kNoUpperBound, 12},
        {dtstart - 400 * day, dtstart - day, 1000},
        {dtstart - 20 * day + offset, dtstart + 60 * day + offset, 1000},
        {dtstart + 100 * day + offset, dtstart + 200 * day, 1000},
        {dtstart + std::int64_t{generator.Uniform(3, 40)} * 365 * day + offset,
         dtstart + std::int64_t{generator.Uniform(41, 80)} * 365 * day, 6},
        {dtstart + generator.Uniform(1, 500) * day, kNoUpperBound, 5},
    };
    // A series reads its rule once, UNTIL put on its wall clock then.
    const std::optional<GregorianRule> readBefore = ReadNativeRule(rule, isDate, WallFromUtc);
    ASSERT_TRUE(readBefore.has_value()) << rule;
    for (const Window& window : windows) {
      RuleLimits limits;
      limits.maxInstances = window.maxInstances;
      const auto native =
          ExpandRuleNatively(rule, dtstart, isDate, window.from, window.to, WallFromUtc, limits);
      ASSERT_TRUE(native.has_value()) << rule << " from " << Text(dtstart);
      const auto libical =
          ExpandWithLibical(rule, dtstart, isDate, window.from, window.to, WallFromUtc, limits);
      ASSERT_EQ(Texts(*native), Texts(libical))
          << rule << " from " << Text(dtstart) << " in [" << Text(window.from) << ", "
          << Text(window.to) << "]";
      const auto fromReadRule =
          ExpandNatively(*readBefore, dtstart, isDate, window.from, window.to, limits);
      ASSERT_TRUE(fromReadRule.has_value()) << rule;
      ASSERT_EQ(Texts(*fromReadRule), Texts(libical)) << rule << " read beforehand";
      ++cases;
    }
  }
  std::printf("%d rules, %d expansions compared with libical\n", patterns, cases);
  EXPECT_GT(patterns, 500);
}

}  // namespace
}  // namespace lumivane::ical
