// Calendars that other programs (or an attacker) write: the reader's rule is
// that a bad value costs that value, a bad item that item, a bad file that
// file, and never more; and its work grows no faster than its input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ical/IcalTestSupport.h"
#include "outlook/AutomationError.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalReader.h"
#include "outlook/ical/IcalServer.h"
#include "outlook/ical/IcalStore.h"
#include "outlook/ical/IcalTextScreen.h"
#include "outlook/ical/SeriesExpansion.h"

namespace lumivane::ical {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

class HostileCalendarTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }

  SourceContent Read(const std::string& text, ReadCounts* counts = nullptr) {
    return ReadCalendar(text, "hostile.ics", zones_, counts);
  }

  static std::vector<std::string> Subjects(const SourceContent& content) {
    std::vector<std::string> subjects;
    for (const Appointment& a : content.appointments)
      subjects.emplace_back(content.texts[a.subject]);
    return subjects;
  }

  ZoneCache zones_;
};

std::string Event(const std::string& uid, const std::string& subject,
                  const std::string& extra = "") {
  return "BEGIN:VEVENT\nUID:" + uid + "\nSUMMARY:" + subject +
         "\nDTSTART:20261209T100000Z\nDTEND:20261209T110000Z\n" + extra + "END:VEVENT\n";
}

// A zone whose offset would change every minute: libical expanded it for
// ever. The zone is unusable, so its times are read as floating local time.
TEST_F(HostileCalendarTest, ZoneRulesMoreFrequentThanDailyLeaveTheItemFloating) {
  for (const std::string freq : {"MINUTELY", "SECONDLY", "HOURLY", "DAILY"}) {
    const SourceContent content = Read(test::Calendar(R"(
      BEGIN:VTIMEZONE
      TZID:Hostile
      BEGIN:STANDARD
      DTSTART:19700101T000000
      RRULE:FREQ=)" + freq + R"(
      TZOFFSETFROM:+0100
      TZOFFSETTO:+0000
      END:STANDARD
      BEGIN:DAYLIGHT
      DTSTART:19700101T000030
      RRULE:FREQ=)" + freq + R"(
      TZOFFSETFROM:+0000
      TZOFFSETTO:+0100
      END:DAYLIGHT
      END:VTIMEZONE
      BEGIN:VEVENT
      UID:z1
      SUMMARY:Zoned
      DTSTART;TZID=Hostile:20261209T100000
      DTEND;TZID=Hostile:20261209T110000
      END:VEVENT
    )"));
    ASSERT_EQ(content.appointments.size(), 1u) << freq;
    const Appointment& item = content.appointments[0];
    EXPECT_NEAR(item.start, EncodeDate(2026, 12, 9) + 10.0 / 24, 1e-6) << freq;
    EXPECT_NEAR(item.end, EncodeDate(2026, 12, 9) + 11.0 / 24, 1e-6) << freq;
  }
}

TEST_F(HostileCalendarTest, ZonesOfTheUsualKindAreStillUsed) {
  // Yearly rules: two changes a year.
  const SourceContent content = Read(test::Calendar(std::string(test::kCustomEasternZone) + R"(
    BEGIN:VEVENT
    UID:e1
    SUMMARY:Eastern
    DTSTART;TZID=Custom Eastern:20261209T090000
    END:VEVENT
  )"));
  ASSERT_EQ(content.appointments.size(), 1u);
  // 09:00 at -05:00 is 15:00 in Berlin (+01:00).
  EXPECT_NEAR(content.appointments[0].start, EncodeDate(2026, 12, 9) + 15.0 / 24, 1e-6);
}

TEST_F(HostileCalendarTest, ABrokenDateInAListCostsThatDateNotTheSeries) {
  const SourceContent content = Read(test::Calendar(
      Event("r1", "Rdate series",
            "RDATE;VALUE=PERIOD:20261210T180000Z/20261211T070000Z,199709T180000Z/PT5H30M\n"
            "EXDATE:20261301T100000Z,20261215T100000Z\n")));
  ASSERT_EQ(content.appointments.size(), 1u);
  const Appointment& series = content.appointments[0];
  ASSERT_TRUE(series.series);
  // The readable period stays; the broken one and the broken exception go.
  ASSERT_EQ(series.series->rdates.size(), 1u);
  EXPECT_EQ(series.series->rdates[0].seconds, 13 * 3600);
  EXPECT_EQ(series.series->exdates.size(), 1u);
  const auto& occurrences =
      ExpandSeries(series, series.series->dtstart - 86400, series.series->dtstart + 10 * 86400);
  EXPECT_EQ(occurrences.size(), 2u);  // its first occurrence and the period
}

TEST_F(HostileCalendarTest, ABlankLineBeforeAFoldedContinuationJoinsTheProperty) {
  const SourceContent content = Read(
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x1\r\nDTSTART\r\n\r\n"
      " ;VALUE=DATE:20261225\r\nSUMMARY\r\n\r\n :Christmas Day\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
  EXPECT_THAT(Subjects(content), ElementsAre("Christmas Day"));
  EXPECT_TRUE(content.appointments[0].allDay);
}

TEST_F(HostileCalendarTest, EveryCalendarBlockOfAFileIsRead) {
  const SourceContent content =
      Read(test::Calendar(Event("a", "First block")) + test::Calendar(Event("b", "Second block")));
  EXPECT_THAT(Subjects(content), UnorderedElementsAre("First block", "Second block"));
}

TEST_F(HostileCalendarTest, AComponentOverTheLimitsIsSkippedAndCounted) {
  std::string parameters;
  for (int i = 0; i < 200; ++i) parameters += ";X-P" + std::to_string(i) + "=v";
  const std::string longLine(300 * 1024, 'x');
  std::string many;
  for (int i = 0; i < 6000; ++i) many += "X-LINE:" + std::to_string(i) + "\n";
  const SourceContent content = Read(test::Calendar(
      Event("p", "Too many parameters", "DESCRIPTION" + parameters + ":text\n") +
      Event("ok", "Readable") + Event("l", "Too long a line", "DESCRIPTION:" + longLine + "\n") +
      Event("m", "Too many properties", many)));
  EXPECT_THAT(Subjects(content), ElementsAre("Readable"));
  EXPECT_EQ(content.skippedItems, 3u);
}

TEST_F(HostileCalendarTest, ATextOfAnotherShapeOverTheLimitsIsRefusedAsAWhole) {
  // A bare VEVENT, no VCALENDAR around it.
  std::string parameters;
  for (int i = 0; i < 200; ++i) parameters += ";X-P" + std::to_string(i) + "=v";
  EXPECT_THROW(Read("BEGIN:VEVENT\r\nUID:b\r\nSUMMARY" + parameters +
                    ":x\r\nDTSTART:20261209T100000Z\r\nEND:VEVENT\r\n"),
               AutomationError);
}

TEST_F(HostileCalendarTest, TheLimitsCountQuotedTextAsValue) {
  EXPECT_TRUE(WithinTextLimits("ATTENDEE;CN=\"a;b;c;d\":mailto:x\r\n", {1024, 1, 10}));
  EXPECT_FALSE(WithinTextLimits("ATTENDEE;CN=a;ROLE=b:mailto:x\r\n", {1024, 1, 10}));
  // Folded lines count as one line and one property.
  EXPECT_TRUE(WithinTextLimits("A:1\r\n 2\r\n 3\r\nB:4\r\n", {64, 1, 2}));
  EXPECT_FALSE(WithinTextLimits("A:1\r\n 2\r\n 3\r\nB:4\r\n", {8, 1, 2}));
}

// Work counted, not time: the text handed to libical grows with the input,
// and a hostile property never reaches it.
TEST_F(HostileCalendarTest, ReadingWorkGrowsLinearlyWithTheInput) {
  const auto workFor = [this](int events, int parameters) {
    std::string params;
    for (int i = 0; i < parameters; ++i) params += ";X-P=v";
    std::string components;
    for (int i = 0; i < events; ++i) {
      components += Event("u" + std::to_string(i), "Item", "DESCRIPTION" + params + ":d\n");
    }
    ReadCounts counts;
    const SourceContent content = Read(test::Calendar(components), &counts);
    return std::make_pair(counts.bytes, content.appointments.size());
  };
  const auto [small, smallItems] = workFor(2000, 2);
  const auto [large, largeItems] = workFor(4000, 2);
  EXPECT_EQ(largeItems, 2 * smallItems);
  EXPECT_LE(large, 2 * small + small / 50);  // UIDs grow a digit
  // 80,000 parameters in one property: nothing of it is parsed.
  const auto [hostile, hostileItems] = workFor(1, 80000);
  EXPECT_EQ(hostileItems, 0u);
  EXPECT_EQ(hostile, 0u);
}

class HostileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }
};

TEST_F(HostileStoreTest, ADamagedFileCostsThatFileAndIsReportedOncePerChange) {
  test::TempStore store;
  store.Write("good.ics", test::Calendar(Event("g", "Good")));
  store.Write("bad.ics", "BEGIN:VCALENDAR\r\nthis is no calendar at all\r\n");
  store.Write("notes.ics", "Dear diary");
  IcalStore cache(store.Root());
  const auto snapshot = cache.Refresh();
  ASSERT_EQ(snapshot->sources.size(), 1u);
  EXPECT_EQ(snapshot->sources[0]->name, "good.ics");
  ASSERT_EQ(snapshot->problems.size(), 2u);
  EXPECT_THAT(snapshot->problems[0], HasSubstr("\"bad.ics\""));
  EXPECT_THAT(snapshot->problems[1], HasSubstr("\"notes.ics\""));
  EXPECT_EQ(cache.TakeNewProblems().size(), 2u);
  // Unchanged: still counted, not reported again.
  EXPECT_EQ(cache.Refresh()->problems.size(), 2u);
  EXPECT_TRUE(cache.TakeNewProblems().empty());
  // Changed and still broken: that file is reported again.
  store.Write("notes.ics", "Dear diary, again");
  EXPECT_EQ(cache.Refresh()->problems.size(), 2u);
  const auto again = cache.TakeNewProblems();
  ASSERT_EQ(again.size(), 1u);
  EXPECT_THAT(again[0], HasSubstr("\"notes.ics\""));
  // Mended: gone from the count.
  store.Write("notes.ics", test::Calendar(Event("n", "Notes")));
  EXPECT_EQ(cache.Refresh()->problems.size(), 1u);
  EXPECT_EQ(cache.Refresh()->sources.size(), 2u);
}

TEST_F(HostileStoreTest, ARefreshFailsOnlyWhenNoFileCanBeRead) {
  test::TempStore store;
  store.Write("a.ics", "garbage");
  store.Write("b.ics", "more garbage");
  IcalStore cache(store.Root());
  EXPECT_THROW(cache.Refresh(), AutomationError);
  EXPECT_THROW(cache.Refresh(), AutomationError);
  store.Write("c.ics", "");  // an empty file is an empty calendar, read fine
  const auto snapshot = cache.Refresh();
  EXPECT_EQ(snapshot->sources.size(), 1u);
  EXPECT_EQ(snapshot->problems.size(), 2u);
}

TEST_F(HostileStoreTest, ItemsOverTheLimitsAreReportedWithTheirFile) {
  test::TempStore store;
  std::string parameters;
  for (int i = 0; i < 200; ++i) parameters += ";X-P=v";
  store.Write("mixed.ics", test::Calendar(Event("ok", "Readable") +
                                          Event("p", "Hostile", "X-A" + parameters + ":v\n")));
  IcalStore cache(store.Root());
  const auto snapshot = cache.Refresh();
  ASSERT_EQ(snapshot->sources.size(), 1u);
  EXPECT_EQ(snapshot->sources[0]->content.appointments.size(), 1u);
  ASSERT_EQ(snapshot->problems.size(), 1u);
  EXPECT_THAT(snapshot->problems[0], HasSubstr("1 item was left out"));
}

TEST_F(HostileStoreTest, AFolderLinkedIntoItselfListsEveryItemOnce) {
  test::TempStore store;
  store.Write("work.ics", test::Calendar(Event("w", "Work")));
  store.Write("vdir/one.ics", test::Calendar(Event("v", "Vdir item")));
  std::filesystem::create_directory_symlink(".", store.Path("selfdir.ics"));
  std::filesystem::create_directory_symlink(store.Path("vdir"), store.Path("again"));
  std::filesystem::create_symlink(store.Path("work.ics"), store.Path("work-link.ics"));
  IcalStore cache(store.Root());
  const auto snapshot = cache.Refresh();
  std::size_t items = 0;
  for (const auto& source : snapshot->sources) items += source->content.appointments.size();
  EXPECT_EQ(items, 2u);
  EXPECT_TRUE(snapshot->problems.empty());
}

TEST_F(HostileStoreTest, TheSessionHandsTheReportToTheRefresh) {
  test::TempStore store;
  store.Write("good.ics", test::Calendar(Event("g", "Good")));
  store.Write("bad.ics", "garbage");
  test::RecordingOpener opener;
  TOutlookApplication session(MakeIcalServerFactory(store.Root(), test::UsFormats(), opener),
                              opener);
  session.Connect();
  EXPECT_TRUE(session.TakeReadReport().newProblems.empty());  // nothing looked at yet
  session.GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
  const StoreReadReport report = session.TakeReadReport();
  EXPECT_EQ(report.filesWithProblems, 1u);
  ASSERT_EQ(report.newProblems.size(), 1u);
  EXPECT_THAT(report.newProblems[0], HasSubstr("\"bad.ics\""));
  session.Disconnect();
  session.Connect();
  session.GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
  const StoreReadReport again = session.TakeReadReport();
  EXPECT_EQ(again.filesWithProblems, 1u);
  EXPECT_TRUE(again.newProblems.empty());
}

}  // namespace
}  // namespace lumivane::ical
