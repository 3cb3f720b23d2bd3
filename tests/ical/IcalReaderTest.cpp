#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/AutomationDate.h"
#include "ical/IcalTestSupport.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/EntryId.h"
#include "outlook/ical/IcalReader.h"

namespace lumivane::ical {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class IcalReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }

  SourceContent Read(const std::string& components) {
    return ReadCalendar(test::Calendar(components), "test.ics", zones_);
  }

  // The single appointment of a calendar, by its subject.
  const Appointment& Only(const SourceContent& content) {
    EXPECT_EQ(content.appointments.size(), 1u);
    return content.appointments.front();
  }

  ZoneCache zones_;
};

constexpr double kMinute = 1.0 / 1440;

TEST_F(IcalReaderTest, ZonedUtcAndFloatingTimesBecomeLocalTime) {
  const SourceContent content = Read(std::string(test::kCustomEasternZone) + R"(
    BEGIN:VEVENT
    UID:own-definition
    SUMMARY:A
    DTSTART;TZID=Custom Eastern:20260310T090000
    DTEND;TZID=Custom Eastern:20260310T100000
    END:VEVENT
    BEGIN:VEVENT
    UID:olson
    SUMMARY:B
    DTSTART;TZID=America/New_York:20260310T090000
    DURATION:PT90M
    END:VEVENT
    BEGIN:VEVENT
    UID:windows
    SUMMARY:C
    DTSTART;TZID="W. Europe Standard Time":20260710T090000
    DTEND;TZID="W. Europe Standard Time":20260710T093000
    END:VEVENT
    BEGIN:VEVENT
    UID:prefixed
    SUMMARY:D
    DTSTART;TZID=/freeassociation.sourceforge.net/Tzfile/Asia/Tokyo:20260710T090000
    END:VEVENT
    BEGIN:VEVENT
    UID:utc
    SUMMARY:E
    DTSTART:20260710T090000Z
    DTEND:20260710T091500Z
    END:VEVENT
    BEGIN:VEVENT
    UID:floating
    SUMMARY:F
    DTSTART:20260710T090000
    DTEND:20260710T091500
    END:VEVENT
    BEGIN:VEVENT
    UID:unknown-zone
    SUMMARY:G
    DTSTART;TZID=Nowhere/Atlantis:20260710T090000
    END:VEVENT
  )");
  ASSERT_EQ(content.appointments.size(), 7u);
  const auto& a = content.appointments;
  // 10 March: New York has daylight time already (UTC-4), Berlin not yet (UTC+1).
  EXPECT_NEAR(a[0].start, EncodeDateTime(2026, 3, 10, 14, 0), kMinute / 60);
  EXPECT_NEAR(a[0].end, EncodeDateTime(2026, 3, 10, 15, 0), kMinute / 60);
  EXPECT_NEAR(a[1].start, EncodeDateTime(2026, 3, 10, 14, 0), kMinute / 60);
  EXPECT_NEAR(a[1].end, EncodeDateTime(2026, 3, 10, 15, 30), kMinute / 60);
  EXPECT_NEAR(a[2].start, EncodeDateTime(2026, 7, 10, 9, 0), kMinute / 60);
  EXPECT_NEAR(a[3].start, EncodeDateTime(2026, 7, 10, 2, 0), kMinute / 60);  // UTC+9 -> UTC+2
  EXPECT_NEAR(a[3].end, a[3].start, kMinute / 60);  // no DTEND, no DURATION: ends as it starts
  EXPECT_NEAR(a[4].start, EncodeDateTime(2026, 7, 10, 11, 0), kMinute / 60);
  EXPECT_NEAR(a[4].end, EncodeDateTime(2026, 7, 10, 11, 15), kMinute / 60);
  EXPECT_NEAR(a[5].start, EncodeDateTime(2026, 7, 10, 9, 0), kMinute / 60);
  EXPECT_NEAR(a[6].start, EncodeDateTime(2026, 7, 10, 9, 0), kMinute / 60);  // read as local
}

TEST_F(IcalReaderTest, KnownZoneNamesTakeTheSystemsZoneDataOverTheFilesDefinition) {
  const SourceContent content = Read(R"(
    BEGIN:VTIMEZONE
    TZID:Europe/Berlin
    BEGIN:STANDARD
    DTSTART:19700101T000000
    TZOFFSETFROM:+0500
    TZOFFSETTO:+0500
    END:STANDARD
    END:VTIMEZONE
    BEGIN:VEVENT
    UID:berlin
    SUMMARY:A
    DTSTART;TZID=Europe/Berlin:20260710T090000
    END:VEVENT
  )");
  // The file claims UTC+5 for Berlin; the zone data knows better (summer time, UTC+2).
  EXPECT_NEAR(Only(content).start, EncodeDateTime(2026, 7, 10, 9, 0), kMinute / 60);
}

TEST_F(IcalReaderTest, AllDayEventsRunFromMidnightToTheMidnightAfterTheirLastDay) {
  const SourceContent content = Read(R"(
    BEGIN:VEVENT
    UID:one
    SUMMARY:Holiday
    DTSTART;VALUE=DATE:20261224
    END:VEVENT
    BEGIN:VEVENT
    UID:three
    SUMMARY:Conference
    DTSTART;VALUE=DATE:20261228
    DTEND;VALUE=DATE:20261231
    END:VEVENT
    BEGIN:VEVENT
    UID:week
    SUMMARY:Trip
    DTSTART;VALUE=DATE:20260325
    DURATION:P1W
    END:VEVENT
  )");
  ASSERT_EQ(content.appointments.size(), 3u);
  const auto& a = content.appointments;
  EXPECT_TRUE(a[0].allDay);
  EXPECT_EQ(a[0].start, EncodeDate(2026, 12, 24));
  EXPECT_EQ(a[0].end, EncodeDate(2026, 12, 25));
  EXPECT_EQ(a[1].start, EncodeDate(2026, 12, 28));
  EXPECT_EQ(a[1].end, EncodeDate(2026, 12, 31));
  // Over the change to summer time: still whole days from midnight to midnight.
  EXPECT_EQ(a[2].start, EncodeDate(2026, 3, 25));
  EXPECT_EQ(a[2].end, EncodeDate(2026, 4, 1));
}

TEST_F(IcalReaderTest, TextsAndCategoriesAreReadUnescaped) {
  const SourceContent content = Read(R"(
    BEGIN:VEVENT
    UID:texts
    SUMMARY:Lunch\, then a walk
    LOCATION:Caf\u00e9 Rosa\; terrace
    CATEGORIES:Work,Personal
    CATEGORIES:Health
    DTSTART:20260710T120000
    END:VEVENT
  )");
  const Appointment& item = Only(content);
  EXPECT_EQ(content.texts[item.subject], "Lunch, then a walk");
  EXPECT_EQ(content.texts[item.categories], "Work, Personal, Health");
  EXPECT_THAT(std::string(content.texts[item.location]), HasSubstr("Rosa; terrace"));
  EXPECT_FALSE(item.allDay);
}

TEST_F(IcalReaderTest, TasksTakeLocalDatesCompletionAndImportance) {
  const SourceContent content = Read(R"(
    BEGIN:VTODO
    UID:t1
    SUMMARY:Late in New York
    DUE;TZID=America/New_York:20261208T200000
    DTSTART;VALUE=DATE:20261201
    PRIORITY:1
    END:VTODO
    BEGIN:VTODO
    UID:t2
    SUMMARY:Done
    STATUS:COMPLETED
    PRIORITY:5
    END:VTODO
    BEGIN:VTODO
    UID:t3
    SUMMARY:Done by date
    COMPLETED:20261201T100000Z
    PRIORITY:7
    DUE;VALUE=DATE:20261210
    END:VTODO
    BEGIN:VTODO
    UID:t4
    SUMMARY:From start and duration
    DTSTART:20261208T230000
    DURATION:PT2H
    PRIORITY:4
    END:VTODO
    BEGIN:VTODO
    UID:t5
    SUMMARY:Cancelled
    STATUS:CANCELLED
    END:VTODO
  )");
  ASSERT_EQ(content.tasks.size(), 4u);
  const auto& t = content.tasks;
  // 20:00 in New York is 02:00 the next day in Berlin: the date is the local one.
  EXPECT_EQ(t[0].dueDate, EncodeDate(2026, 12, 9));
  EXPECT_EQ(t[0].startDate, EncodeDate(2026, 12, 1));
  EXPECT_EQ(t[0].importance, kImportanceHigh);
  EXPECT_FALSE(t[0].complete);
  EXPECT_EQ(t[1].dueDate, NoDate);
  EXPECT_EQ(t[1].startDate, NoDate);
  EXPECT_TRUE(t[1].complete);
  EXPECT_EQ(t[1].importance, kImportanceNormal);
  EXPECT_TRUE(t[2].complete);
  EXPECT_EQ(t[2].importance, kImportanceLow);
  EXPECT_EQ(t[2].dueDate, EncodeDate(2026, 12, 10));
  EXPECT_EQ(t[3].dueDate, EncodeDate(2026, 12, 9));
  EXPECT_EQ(t[3].importance, kImportanceHigh);
}

TEST_F(IcalReaderTest, ComponentsThatCannotBeReadAreSkipped) {
  const SourceContent content = Read(R"(
    BEGIN:VEVENT
    UID:no-start
    SUMMARY:No start
    END:VEVENT
    BEGIN:VEVENT
    UID:broken-end
    SUMMARY:Broken end
    DTSTART:20261208T100000
    DTEND:2026-13-45
    END:VEVENT
    BEGIN:VEVENT
    UID:broken-rule
    SUMMARY:Broken rule
    DTSTART:20261208T100000
    RRULE:COUNT=3
    END:VEVENT
    BEGIN:VEVENT
    UID:cancelled
    SUMMARY:Called off
    STATUS:CANCELLED
    DTSTART:20261208T100000
    RRULE:FREQ=DAILY
    END:VEVENT
    BEGIN:VEVENT
    UID:cancelled
    RECURRENCE-ID:20261209T100000
    SUMMARY:Called off, moved
    DTSTART:20261209T120000
    END:VEVENT
    BEGIN:VTODO
    UID:broken-due
    SUMMARY:Broken due
    DUE:20261332
    END:VTODO
    BEGIN:VEVENT
    UID:good
    SUMMARY:Good
    DTSTART:20261208T110000
    END:VEVENT
  )");
  ASSERT_EQ(content.appointments.size(), 1u);
  EXPECT_EQ(content.texts[content.appointments[0].subject], "Good");
  EXPECT_TRUE(content.tasks.empty());
}

TEST_F(IcalReaderTest, TextThatIsNotICalendarNamesTheFile) {
  try {
    ReadCalendar("Dear diary,\nnothing happened today.\n", "notes.ics", zones_);
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_THAT(e.what(), HasSubstr("\"notes.ics\""));
    EXPECT_THAT(e.what(), HasSubstr("not an iCalendar file"));
  }
  // An empty file (a synchroniser mid-write) is an empty calendar.
  EXPECT_TRUE(ReadCalendar("", "empty.ics", zones_).appointments.empty());
  EXPECT_TRUE(ReadCalendar("\xEF\xBB\xBF\r\n", "bom.ics", zones_).appointments.empty());
}

TEST_F(IcalReaderTest, SharedUidsGetOrdinalsAndEntryIdsStayApart) {
  const SourceContent content = Read(R"(
    BEGIN:VEVENT
    UID:same
    SUMMARY:First
    DTSTART:20261208T100000
    END:VEVENT
    BEGIN:VEVENT
    UID:same
    SUMMARY:Second
    DTSTART:20261209T100000
    END:VEVENT
    BEGIN:VTODO
    UID:same
    SUMMARY:Task
    END:VTODO
  )");
  ASSERT_EQ(content.appointments.size(), 2u);
  EXPECT_EQ(content.appointments[0].ordinal, 0u);
  EXPECT_EQ(content.appointments[1].ordinal, 1u);
  const std::string first = MakeEntryID(ItemKind::Appointment, "a.ics", "same", 0);
  const std::string second = MakeEntryID(ItemKind::Appointment, "a.ics", "same", 1);
  const std::string task = MakeEntryID(ItemKind::Task, "a.ics", "same", 0);
  EXPECT_NE(first, second);
  EXPECT_NE(first, task);
  EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  const auto key = ParseEntryID(second);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->source, "a.ics");
  EXPECT_EQ(key->uid, "same");
  EXPECT_EQ(key->ordinal, 1u);
  EXPECT_FALSE(ParseEntryID("XYZ").has_value());
  EXPECT_FALSE(ParseEntryID("4511").has_value());
}

// A large file is read a part at a time; what belongs together is found
// across the parts.
TEST_F(IcalReaderTest, ALargeFileReadsAsOne) {
  std::string components = R"(
    BEGIN:VTIMEZONE
    TZID:Custom Zone
    BEGIN:STANDARD
    DTSTART:19700101T000000
    TZOFFSETFROM:+0300
    TZOFFSETTO:+0300
    END:STANDARD
    END:VTIMEZONE
    BEGIN:VEVENT
    UID:series
    SUMMARY:Series
    DTSTART;TZID=Custom Zone:20261201T100000
    RRULE:FREQ=DAILY;COUNT=3
    END:VEVENT
  )";
  for (int i = 0; i < 2000; ++i) {
    components += "BEGIN:VEVENT\nUID:filler-" + std::to_string(i) +
                  "\nSUMMARY:Filler\nDTSTART:20261201T080000\nEND:VEVENT\n";
  }
  components += R"(
    BEGIN:VEVENT
    UID:series
    RECURRENCE-ID;TZID=Custom Zone:20261202T100000
    SUMMARY:Series (moved)
    DTSTART;TZID=Custom Zone:20261202T150000
    END:VEVENT
    BEGIN:VEVENT
    UID:series
    SUMMARY:Same UID, another item
    DTSTART:20261203T100000
    END:VEVENT
  )";
  const std::string text = test::Calendar(components);
  ASSERT_GT(text.size(), 100000u);
  const SourceContent content = ReadCalendar(text, "large.ics", zones_);
  ASSERT_EQ(content.appointments.size(), 2002u);
  const Appointment& series = content.appointments.front();
  ASSERT_TRUE(series.series);
  ASSERT_EQ(series.series->overrides.size(), 1u);
  // 10:00 at UTC+3, defined at the top of the file, is 08:00 in Berlin.
  EXPECT_NEAR(series.start, EncodeDateTime(2026, 12, 1, 8, 0), kMinute / 60);
  EXPECT_NEAR(series.series->overrides[0].item.start, EncodeDateTime(2026, 12, 2, 13, 0),
              kMinute / 60);
  EXPECT_EQ(content.appointments.back().ordinal, 1u);
}

TEST_F(IcalReaderTest, ExtractsOneItemWithItsMovedInstancesAndZones) {
  const std::string text = test::Calendar(R"(
    BEGIN:VTIMEZONE
    TZID:Europe/Berlin
    BEGIN:STANDARD
    DTSTART:19701025T030000
    TZOFFSETFROM:+0200
    TZOFFSETTO:+0100
    RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU
    END:STANDARD
    END:VTIMEZONE
    BEGIN:VEVENT
    UID:series
    SUMMARY:Weekly
    DTSTART;TZID=Europe/Berlin:20261201T090000
    RRULE:FREQ=WEEKLY
    END:VEVENT
    BEGIN:VEVENT
    UID:other
    SUMMARY:Other
    DTSTART:20261201T090000
    END:VEVENT
    BEGIN:VEVENT
    UID:series
    RECURRENCE-ID;TZID=Europe/Berlin:20261208T090000
    SUMMARY:Weekly (moved)
    DTSTART;TZID=Europe/Berlin:20261208T110000
    END:VEVENT
  )");
  const std::string item = ExtractItemCalendar(text, ItemKind::Appointment, "series", 0);
  EXPECT_THAT(item, HasSubstr("SUMMARY:Weekly\r\n"));
  EXPECT_THAT(item, HasSubstr("SUMMARY:Weekly (moved)"));
  EXPECT_THAT(item, HasSubstr("BEGIN:VTIMEZONE"));
  EXPECT_THAT(item, ::testing::Not(HasSubstr("Other")));
  EXPECT_TRUE(ExtractItemCalendar(text, ItemKind::Task, "series", 0).empty());
  EXPECT_TRUE(ExtractItemCalendar(text, ItemKind::Appointment, "gone", 0).empty());
}

}  // namespace
}  // namespace lumivane::ical
