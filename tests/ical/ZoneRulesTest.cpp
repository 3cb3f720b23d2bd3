#include <gtest/gtest.h>
#include <libical/ical.h>

#include <iostream>
#include <string>
#include <vector>

#include "outlook/ical/IcalLibrary.h"
#include "outlook/ical/IcalTimeZone.h"
#include "outlook/ical/ZoneRules.h"

namespace lumivane::ical {
namespace {

WallSeconds Wall(int year, int month, int day, int hour = 0, int minute = 0) {
  return WallFromFields(year, month, day, hour, minute, 0);
}

int LibicalOffset(icaltimezone* zone, UtcSeconds utc) {
  const time_t t = static_cast<time_t>(utc);
  icaltimetype fields = icaltime_from_timet_with_zone(t, 0, icaltimezone_get_utc_timezone());
  int daylight = 0;
  return icaltimezone_get_utc_offset_of_utc_time(zone, &fields, &daylight);
}

// Compares the offsets of both at instants every few days of the years
// given, and hourly where either sees a change; returns the first
// difference found, or "".
std::string FirstDifference(icaltimezone* zone, icalcomponent* definition, int fromYear = 1900,
                            int toYear = 2100) {
  const auto parts = ObservancesOf(definition);
  if (!parts) return "the definition was refused";
  const ZoneRules rules(*parts);
  std::vector<UtcSeconds> instants;
  for (UtcSeconds t = Wall(fromYear, 1, 1) + 3600; t < Wall(toYear, 1, 1);
       t += 17 * kSecondsPerDay + 3607)
    instants.push_back(t);
  // Where either side sees the offset move between two samples, every hour
  // of that stretch is compared, so a change a day off is caught too.
  std::vector<UtcSeconds> closer;
  for (std::size_t i = 1; i < instants.size(); ++i) {
    if (LibicalOffset(zone, instants[i - 1]) != LibicalOffset(zone, instants[i]) ||
        rules.OffsetAtUtc(instants[i - 1]) != rules.OffsetAtUtc(instants[i])) {
      for (UtcSeconds t = instants[i - 1]; t < instants[i]; t += 3600) {
        closer.push_back(t);
        closer.push_back(t + 1799);
      }
    }
  }
  instants.insert(instants.end(), closer.begin(), closer.end());
  for (UtcSeconds t : instants) {
    const int expected = LibicalOffset(zone, t);
    const std::optional<int> actual = rules.OffsetAtUtc(t);
    if (!actual || *actual != expected) {
      const time_t at = static_cast<time_t>(t);
      return "at " +
             std::string(icaltime_as_ical_string(
                 icaltime_from_timet_with_zone(at, 0, icaltimezone_get_utc_timezone()))) +
             " libical says " + std::to_string(expected) + ", the rules say " +
             (actual ? std::to_string(*actual) : "nothing");
    }
  }
  return "";
}

TEST(ZoneRules, YearlyInstancesOfTheUsualRuleForms) {
  YearlyRule secondSunday{1, {3}, {}, {{2, 0}}, std::nullopt};
  EXPECT_EQ(YearlyInstances(secondSunday, Wall(2007, 3, 11, 2), 2026),
            std::vector<WallSeconds>{Wall(2026, 3, 8, 2)});
  YearlyRule lastSunday{1, {10}, {}, {{-1, 0}}, std::nullopt};
  EXPECT_EQ(YearlyInstances(lastSunday, Wall(1996, 10, 27, 3), 2026),
            std::vector<WallSeconds>{Wall(2026, 10, 25, 3)});
  // "The first Sunday on or after the 8th" as a day list.
  YearlyRule sundayFromEighth{1, {3}, {8, 9, 10, 11, 12, 13, 14}, {{0, 0}}, std::nullopt};
  EXPECT_EQ(YearlyInstances(sundayFromEighth, Wall(2007, 3, 11, 2), 2027),
            std::vector<WallSeconds>{Wall(2027, 3, 14, 2)});
  // DTSTART's day of the month; a 29 February only in leap years.
  YearlyRule dtstartDay{1, {}, {}, {}, std::nullopt};
  EXPECT_TRUE(YearlyInstances(dtstartDay, Wall(2024, 2, 29, 1), 2026).empty());
  EXPECT_EQ(YearlyInstances(dtstartDay, Wall(2024, 2, 29, 1), 2028),
            std::vector<WallSeconds>{Wall(2028, 2, 29, 1)});
  // BYMONTHDAY without BYMONTH stays in DTSTART's month (the zone data has
  // "BYDAY=SA;BYMONTHDAY=15" from an October DTSTART).
  YearlyRule saturdayFifteenth{1, {}, {15}, {{0, 6}}, std::nullopt};
  EXPECT_EQ(YearlyInstances(saturdayFifteenth, Wall(1964, 10, 15), 1966),
            std::vector<WallSeconds>{Wall(1966, 10, 15)});
  EXPECT_TRUE(YearlyInstances(saturdayFifteenth, Wall(1964, 10, 15), 1965).empty());
  YearlyRule lastDay{1, {2}, {-1}, {}, std::nullopt};
  EXPECT_EQ(YearlyInstances(lastDay, Wall(2020, 2, 29), 2100),
            std::vector<WallSeconds>{Wall(2100, 2, 28)});
}

TEST(ZoneRules, OffsetsAroundTheChangesOfAWindowsStyleDefinition) {
  EnsureIcalLibraryReady();
  icalcomponent* definition = icalparser_parse_string(
      "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\n"
      "BEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
      "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
      "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
      "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n");
  ASSERT_NE(definition, nullptr);
  const auto parts = ObservancesOf(definition);
  ASSERT_TRUE(parts.has_value());
  const ZoneRules rules(*parts);
  // 29 March 2026, 02:00 CET is 01:00 UTC; 25 October, 03:00 CEST is 01:00 UTC.
  EXPECT_EQ(rules.OffsetAtUtc(Wall(2026, 3, 29, 1) - 1), 3600);
  EXPECT_EQ(rules.OffsetAtUtc(Wall(2026, 3, 29, 1)), 7200);
  EXPECT_EQ(rules.OffsetAtUtc(Wall(2026, 10, 25, 1) - 1), 7200);
  EXPECT_EQ(rules.OffsetAtUtc(Wall(2026, 10, 25, 1)), 3600);
  EXPECT_FALSE(rules.OffsetAtUtc(Wall(2500, 6, 1)).has_value());
  icaltimezone* zone = icaltimezone_new();
  ASSERT_EQ(icaltimezone_set_component(zone, icalcomponent_new_clone(definition)), 1);
  EXPECT_EQ(FirstDifference(zone, definition), "");
  icaltimezone_free(zone, 1);
  icalcomponent_free(definition);
}

TEST(ZoneRules, RulesOutsideTheYearlyFormsAreLeftToLibical) {
  EnsureIcalLibraryReady();
  for (const char* rule : {"FREQ=MONTHLY;BYDAY=1SU", "FREQ=YEARLY;COUNT=3;BYMONTH=3;BYDAY=-1SU",
                           "FREQ=YEARLY;BYDAY=10SU", "FREQ=YEARLY;BYHOUR=2;BYMONTH=3"}) {
    const std::string text =
        std::string("BEGIN:VTIMEZONE\r\nTZID:X\r\nBEGIN:STANDARD\r\n") +
        "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0100\r\n" + "RRULE:" + rule +
        "\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    icalcomponent* definition = icalparser_parse_string(text.c_str());
    ASSERT_NE(definition, nullptr);
    EXPECT_FALSE(ObservancesOf(definition).has_value()) << rule;
    icalcomponent_free(definition);
  }
}

// Every zone of the system's time zone data that the rules take gives
// libical's offsets from 1900 to 2040 (a few of them to 2100: libical's
// expansion of every zone that far would make a slow test).
TEST(ZoneRules, EqualLibicalOnEverySystemZone) {
  EnsureIcalLibraryReady();
  icalarray* zones = icaltimezone_get_builtin_timezones();
  ASSERT_NE(zones, nullptr);
  std::size_t compared = 0;
  std::vector<std::string> refused;
  for (std::size_t i = 0; i < zones->num_elements; ++i) {
    auto* zone = static_cast<icaltimezone*>(icalarray_element_at(zones, i));
    icalcomponent* definition = icaltimezone_get_component(zone);
    if (definition == nullptr) continue;
    const char* name = icaltimezone_get_location(zone);
    const auto parts = ObservancesOf(definition);
    if (!parts) {
      refused.push_back(name != nullptr ? name : "?");
      continue;
    }
    const std::string location = name != nullptr ? name : "?";
    const bool far = location == "Europe/Berlin" || location == "America/New_York" ||
                     location == "Australia/Sydney" || location == "America/Santiago";
    EXPECT_EQ(FirstDifference(zone, definition, 1900, far ? 2100 : 2040), "") << location;
    ++compared;
  }
  EXPECT_GT(compared, 300u);
  // The few left to libical are zones with rules of other forms.
  EXPECT_LT(refused.size(), zones->num_elements / 10);
  std::cout << compared << " zones compared, " << refused.size() << " left to libical\n";
}

}  // namespace
}  // namespace lumivane::ical

namespace lumivane::ical {
namespace {

TEST(ZoneRules, AZoneMadeFromKeptRulesLoadsTheZoneDataOnlyBeyondThem) {
  EnsureIcalLibraryReady();
  icaltimezone* berlin = icaltimezone_get_builtin_timezone("Europe/Berlin");
  ASSERT_NE(berlin, nullptr);
  const auto parts = ObservancesOf(icaltimezone_get_component(berlin));
  ASSERT_TRUE(parts.has_value());
  int fetched = 0;
  const IcalTimeZone kept(*parts, [&] {
    ++fetched;
    return berlin;
  });
  const IcalTimeZone loaded(berlin, false);
  for (const UtcSeconds t : {Wall(1950, 6, 1), Wall(2026, 3, 29, 1), Wall(2026, 7, 1)}) {
    EXPECT_EQ(kept.OffsetAtUtc(t), loaded.OffsetAtUtc(t));
  }
  EXPECT_EQ(kept.UtcFromWall(Wall(2026, 3, 29, 2, 30)),
            loaded.UtcFromWall(Wall(2026, 3, 29, 2, 30)));
  EXPECT_EQ(fetched, 0);
  // Beyond the years the rules answer, libical's zone is fetched, once.
  EXPECT_EQ(kept.OffsetAtUtc(Wall(2450, 7, 1)), loaded.OffsetAtUtc(Wall(2450, 7, 1)));
  EXPECT_EQ(kept.OffsetAtUtc(Wall(2460, 1, 1)), loaded.OffsetAtUtc(Wall(2460, 1, 1)));
  EXPECT_EQ(fetched, 1);
}

}  // namespace
}  // namespace lumivane::ical

namespace lumivane::ical {
namespace {

// A definition that makes far more changes than any zone (a damaged
// snapshot's) is not worked out: libical's zone of that name answers.
TEST(ZoneRules, ADefinitionOfEndlessChangesIsLeftToLibical) {
  YearlyRule everyDay;
  everyDay.months = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  for (int d = 1; d <= 31; ++d) everyDay.monthDays.push_back(d);
  std::vector<Observance> parts;
  for (int i = 0; i < 40; ++i) {
    Observance part;
    part.start = Wall(100, 1, 1, i % 24);
    part.offsetFrom = 3600 * (i % 3);
    part.offsetTo = 3600 * ((i + 1) % 3);
    part.rule = everyDay;
    parts.push_back(part);
  }
  EXPECT_FALSE(ZoneRules(parts).OffsetAtUtc(Wall(2026, 6, 1)).has_value());
  EnsureIcalLibraryReady();
  int fetched = 0;
  const IcalTimeZone zone(parts, [&] {
    ++fetched;
    return icaltimezone_get_builtin_timezone("Asia/Tokyo");
  });
  EXPECT_EQ(zone.OffsetAtUtc(Wall(2026, 6, 1)), 9 * 3600);
  EXPECT_EQ(fetched, 1);
}

}  // namespace
}  // namespace lumivane::ical
