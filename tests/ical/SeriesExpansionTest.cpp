#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/AutomationDate.h"
#include "ical/IcalTestSupport.h"
#include "outlook/ical/IcalReader.h"
#include "outlook/ical/SeriesExpansion.h"

namespace lumivane::ical {
namespace {

using ::testing::ElementsAre;

class SeriesExpansionTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }

  const Appointment& Series(const std::string& components) {
    content_ = ReadCalendar(test::Calendar(components), "series.ics", zones_);
    EXPECT_FALSE(content_.appointments.empty());
    EXPECT_TRUE(content_.appointments.front().series);
    return content_.appointments.front();
  }

  static WallSeconds Wall(int year, int month, int day, int hour = 0, int minute = 0) {
    return WallFromFields(year, month, day, hour, minute, 0);
  }

  // "MM-DD HH:MM subject" of each occurrence, local time.
  std::vector<std::string> Texts(const std::vector<Occurrence>& occurrences) const {
    std::vector<std::string> texts;
    for (const Occurrence& o : occurrences) {
      const CivilDate d = DecodeDate(o.start);
      const TimeOfDay t = DecodeTime(o.start);
      char text[64];
      std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d ", d.month, d.day, t.hour, t.minute);
      texts.push_back(text + std::string(content_.texts[o.item->subject]));
    }
    return texts;
  }

  ZoneCache zones_;
  SourceContent content_;
};

TEST_F(SeriesExpansionTest, ExdatesRemoveAndOverridesMoveOrCancelInstances) {
  const Appointment& item = Series(R"(
    BEGIN:VEVENT
    UID:weekly
    SUMMARY:Team stand-up
    DTSTART;TZID=Europe/Berlin:20261201T091500
    DTEND;TZID=Europe/Berlin:20261201T093000
    RRULE:FREQ=WEEKLY;BYDAY=TU,TH
    EXDATE;TZID=Europe/Berlin:20261203T091500
    END:VEVENT
    BEGIN:VEVENT
    UID:weekly
    RECURRENCE-ID;TZID=Europe/Berlin:20261208T091500
    SUMMARY:Team stand-up (moved)
    DTSTART;TZID=Europe/Berlin:20261208T140000
    DTEND;TZID=Europe/Berlin:20261208T143000
    END:VEVENT
    BEGIN:VEVENT
    UID:weekly
    RECURRENCE-ID:20261210T081500Z
    STATUS:CANCELLED
    DTSTART;TZID=Europe/Berlin:20261210T091500
    END:VEVENT
  )");
  const auto& occurrences = ExpandSeries(item, Wall(2026, 11, 30), Wall(2026, 12, 16));
  // The cancelled instance is named in UTC: the same instant as 09:15 in Berlin.
  EXPECT_THAT(Texts(occurrences),
              ElementsAre("12-01 09:15 Team stand-up", "12-08 14:00 Team stand-up (moved)",
                          "12-15 09:15 Team stand-up"));
  const Occurrence& moved = occurrences[1];
  EXPECT_NEAR(moved.end - moved.start, 30.0 / 1440, 1e-9);
  EXPECT_EQ(occurrences[0].item, &item);  // occurrences share the series' record
}

TEST_F(SeriesExpansionTest, ASeriesThatBeganLongBeforeTheWindowIsWalkedInsideItOnly) {
  const Appointment& item = Series(R"(
    BEGIN:VEVENT
    UID:daily
    SUMMARY:Medication
    DTSTART:20200106T080000
    RRULE:FREQ=DAILY;INTERVAL=3
    END:VEVENT
  )");
  // 2020-01-06 + 3n days: 2026-12-07 is day 2527 = 3 * 842 + 1, so 12-09 is the first.
  EXPECT_THAT(Texts(ExpandSeries(item, Wall(2026, 12, 8), Wall(2026, 12, 14, 23, 59))),
              ElementsAre("12-09 08:00 Medication", "12-12 08:00 Medication"));
}

TEST_F(SeriesExpansionTest, CountIncludesExcludedInstances) {
  const Appointment& item = Series(R"(
    BEGIN:VEVENT
    UID:counted
    SUMMARY:Course
    DTSTART:20261201T180000
    RRULE:FREQ=DAILY;COUNT=4
    EXDATE:20261202T180000
    RDATE:20261210T180000
    END:VEVENT
  )");
  // Four instances by COUNT, the excluded one among them; the RDATE adds one.
  EXPECT_THAT(Texts(ExpandSeries(item, Wall(2026, 11, 1), Wall(2027, 1, 1))),
              ElementsAre("12-01 18:00 Course", "12-03 18:00 Course", "12-04 18:00 Course",
                          "12-10 18:00 Course"));
}

TEST_F(SeriesExpansionTest, InstancesKeepTheirWallTimeOverDaylightSavingChanges) {
  const Appointment& item = Series(R"(
    BEGIN:VEVENT
    UID:ny
    SUMMARY:Call New York
    DTSTART;TZID=America/New_York:20260305T090000
    DURATION:PT1H
    RRULE:FREQ=WEEKLY;UNTIL=20260402T130000Z
    END:VEVENT
  )");
  // New York changes on 8 March, Berlin on 29 March: 15:00, 14:00 for three
  // weeks, then 15:00 again. UNTIL (13:00 UTC) is 09:00 in New York on 2 April.
  EXPECT_THAT(Texts(ExpandSeries(item, Wall(2026, 3, 1), Wall(2026, 4, 30))),
              ElementsAre("03-05 15:00 Call New York", "03-12 14:00 Call New York",
                          "03-19 14:00 Call New York", "03-26 14:00 Call New York",
                          "04-02 15:00 Call New York"));
}

TEST_F(SeriesExpansionTest, AllDaySeriesAndSkippedHoursFollowTheCalendarRules) {
  const Appointment& days = Series(R"(
    BEGIN:VEVENT
    UID:bins
    SUMMARY:Bins
    DTSTART;VALUE=DATE:20260301
    RRULE:FREQ=WEEKLY
    EXDATE;VALUE=DATE:20260315
    END:VEVENT
  )");
  const auto& occurrences = ExpandSeries(days, Wall(2026, 3, 10), Wall(2026, 3, 31));
  EXPECT_THAT(Texts(occurrences), ElementsAre("03-22 00:00 Bins", "03-29 00:00 Bins"));
  EXPECT_EQ(occurrences[1].end, EncodeDate(2026, 3, 30));  // a whole day on the change

  const Appointment& early = Series(R"(
    BEGIN:VEVENT
    UID:early
    SUMMARY:Early
    DTSTART;TZID=Europe/Berlin:20260328T023000
    RRULE:FREQ=DAILY;COUNT=2
    END:VEVENT
  )");
  // 02:30 does not exist on 29 March; it is read with the offset before the
  // gap, which puts it at 03:30 summer time.
  EXPECT_THAT(Texts(ExpandSeries(early, Wall(2026, 3, 1), Wall(2026, 3, 31))),
              ElementsAre("03-28 02:30 Early", "03-29 03:30 Early"));
}

TEST_F(SeriesExpansionTest, AnOpenSeriesWithoutBoundsStopsAtALimit) {
  const Appointment& item = Series(R"(
    BEGIN:VEVENT
    UID:forever
    SUMMARY:Forever
    DTSTART:20260101T080000
    RRULE:FREQ=DAILY
    END:VEVENT
  )");
  const auto& occurrences = ExpandSeries(item, kNoLowerBound, kNoUpperBound);
  EXPECT_EQ(occurrences.size(), RuleLimits{}.maxInstances);
}

}  // namespace
}  // namespace lumivane::ical
