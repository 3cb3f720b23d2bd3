#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "outlook/CalendarQuery.h"
#include "queries/ContractMocks.h"
#include "support/FormatFixtures.h"

namespace lumivane {
namespace {

using test::FakeAppointment;
using test::FakeNote;
using test::MockStore;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::Throw;

const AutomationDate kNow = EncodeDateTime(2026, 3, 5, 14, 7, 9);  // a Thursday
const AutomationDate kToday = EncodeDate(2026, 3, 5);

std::shared_ptr<FakeAppointment> Appointment(const std::string& subject, AutomationDate start,
                                             AutomationDate end) {
  auto a = std::make_shared<FakeAppointment>();
  a->subject = subject;
  a->entryId = "id-" + subject;
  a->start = start;
  a->end = end;
  return a;
}

struct FilterCase {
  const char* name;
  FormatSettings fs;
  int days;
  bool precise;
  std::string filter;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.name;
}

class CalendarFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(CalendarFilterTest, SortRecurrencesAndFilterAreRequestedInOrder) {
  const FilterCase& c = GetParam();
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = c.days;
  options.ShowPreciseCalendar = c.precise;
  EXPECT_EQ(CalendarFilterText(options, CalendarWindowFor(options, kNow), c.fs), c.filter);

  MockStore store(kFolderCalendar);
  {
    InSequence order;
    EXPECT_CALL(*store.items, Sort("[Start]", false));
    EXPECT_CALL(*store.items, SetIncludeRecurrences(true));
    EXPECT_CALL(*store.items, Find(c.filter)).WillOnce(Return(nullptr));
  }
  CalendarQuery(store.ns, options, c.fs, kNow, [](const AppointmentEntry&, AutomationDate) {
    ADD_FAILURE() << "nothing was found";
  });
}

// With ShowPreciseCalendar the condition is wrapped and widened by the
// appointments that start inside the window, so that those ending after the
// window's last day come back too.
INSTANTIATE_TEST_SUITE_P(
    Formats, CalendarFilterTest,
    ::testing::Values(
        FilterCase{"UsLike", test::UsFormats(), 5, false,
                   R"x((([Start] >= "3/5/2026 00:00") And ([Start] <= "3/10/2026 23:59"))or )x"
                   R"x(([End]>"3/5/2026 00:00") And ([End] <= "3/10/2026 23:59"))x"},
        FilterCase{"UsLikePrecise", test::UsFormats(), 5, true,
                   R"x((((([End] >= "3/5/2026 00:00") and  ([Start] >= "3/5/2026 00:00")) or )x"
                   R"x(([End]>"3/5/2026 00:00")) And ([End] <= "3/10/2026 23:59")) or )x"
                   R"x((([Start] >= "3/5/2026 00:00") And ([Start] <= "3/10/2026 23:59")))x"},
        FilterCase{"GermanLike", test::GermanFormats(), 5, false,
                   R"x((([Start] >= "05.03.2026 00:00") And ([Start] <= "10.03.2026 23:59"))or )x"
                   R"x(([End]>"05.03.2026 00:00") And ([End] <= "10.03.2026 23:59"))x"},
        FilterCase{"GermanLikePrecise", test::GermanFormats(), 5, true,
                   R"x((((([End] >= "05.03.2026 00:00") and  ([Start] >= "05.03.2026 00:00")) or )x"
                   R"x(([End]>"05.03.2026 00:00")) And ([End] <= "10.03.2026 23:59")) or )x"
                   R"x((([Start] >= "05.03.2026 00:00") And ([Start] <= "10.03.2026 23:59")))x"},
        // No days to display: the end day is 30 December 1899, so nothing matches.
        FilterCase{"NoDaysUsLike", test::UsFormats(), 0, false,
                   R"x((([Start] >= "3/5/2026 00:00") And ([Start] <= "12/30/1899 23:59"))or )x"
                   R"x(([End]>"3/5/2026 00:00") And ([End] <= "12/30/1899 23:59"))x"},
        FilterCase{"NoDaysGermanLikePrecise", test::GermanFormats(), 0, true,
                   R"x((((([End] >= "05.03.2026 00:00") and  ([Start] >= "05.03.2026 00:00")) or )x"
                   R"x(([End]>"05.03.2026 00:00")) And ([End] <= "30.12.1899 23:59")) or )x"
                   R"x((([Start] >= "05.03.2026 00:00") And ([Start] <= "30.12.1899 23:59")))x"}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

TEST(CalendarQueryTest, OneBadItemIsSkippedAndTheWalkGoesOn) {
  auto first = Appointment("First", kToday + 0.4, kToday + 0.45);
  auto unreadable = Appointment("Unreadable", kToday + 0.5, kToday + 0.55);
  unreadable->subjectFails = true;
  auto refused = Appointment("Refused", kToday + 0.6, kToday + 0.65);
  auto last = Appointment("Last", kToday + 1.4, kToday + 1.45);
  MockStore store(kFolderCalendar);
  EXPECT_CALL(*store.items, Sort("[Start]", false));
  EXPECT_CALL(*store.items, SetIncludeRecurrences(true));
  EXPECT_CALL(*store.items, Find(::testing::_)).WillOnce(Return(first));
  EXPECT_CALL(*store.items, FindNext())
      .WillOnce(Return(std::make_shared<FakeNote>()))
      .WillOnce(Return(unreadable))
      .WillOnce(Return(refused))
      .WillOnce(Return(last))
      .WillOnce(Return(nullptr));
  std::vector<std::string> handed;
  std::vector<AutomationDate> moments;
  CalendarQuery(store.ns, CalendarQueryOptions{}, test::UsFormats(), kNow,
                [&](const AppointmentEntry& e, AutomationDate reference) {
                  handed.push_back(e.Subject);
                  moments.push_back(reference);
                  // The consumer failing on one appointment costs only that one.
                  if (e.Subject == "Refused") throw std::runtime_error("no room for it");
                });
  EXPECT_EQ(handed, (std::vector<std::string>{"First", "Refused", "Last"}));
  EXPECT_EQ(moments, (std::vector<AutomationDate>{kToday, kToday, kToday}));
}

TEST(CalendarQueryTest, EntryIdsAreAskedForOnlyForItemLinks) {
  auto standup = Appointment("Standup", kToday + 0.4, kToday + 0.45);
  for (const bool links : {false, true}) {
    MockStore store(kFolderCalendar);
    EXPECT_CALL(*store.items, Sort("[Start]", false));
    EXPECT_CALL(*store.items, SetIncludeRecurrences(true));
    EXPECT_CALL(*store.items, Find(::testing::_)).WillOnce(Return(standup));
    EXPECT_CALL(*store.items, FindNext()).WillOnce(Return(nullptr));
    CalendarQueryOptions options;
    options.OpenOutlookItem = links;
    std::vector<AppointmentEntry> handed;
    CalendarQuery(store.ns, options, test::UsFormats(), kNow,
                  [&](const AppointmentEntry& e, AutomationDate) { handed.push_back(e); });
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].Subject, "Standup");
    EXPECT_EQ(handed[0].EntryID, links ? "id-Standup" : "");
    EXPECT_EQ(standup->entryIdReads, links ? 1 : 0);
  }
}

TEST(CalendarQueryTest, FailingFindNextEndsTheWalkWithItsError) {
  auto first = Appointment("First", kToday + 0.4, kToday + 0.45);
  MockStore store(kFolderCalendar);
  EXPECT_CALL(*store.items, Sort("[Start]", false));
  EXPECT_CALL(*store.items, SetIncludeRecurrences(true));
  EXPECT_CALL(*store.items, Find(::testing::_)).WillOnce(Return(first));
  // Called once only: no retry that could loop or bring an item back twice.
  EXPECT_CALL(*store.items, FindNext()).WillOnce(Throw(AutomationError("The store went away.")));
  std::vector<std::string> handed;
  EXPECT_THROW(CalendarQuery(
                   store.ns, CalendarQueryOptions{}, test::UsFormats(), kNow,
                   [&](const AppointmentEntry& e, AutomationDate) { handed.push_back(e.Subject); }),
               AutomationError);
  EXPECT_EQ(handed, std::vector<std::string>{"First"});
}

TEST(CalendarQueryTest, RejectedFilterEndsTheQuery) {
  MockStore store(kFolderCalendar);
  EXPECT_CALL(*store.items, Sort("[Start]", false));
  EXPECT_CALL(*store.items, SetIncludeRecurrences(true));
  EXPECT_CALL(*store.items, Find(::testing::_))
      .WillOnce(Throw(AutomationError("The filter text cannot be read.")));
  EXPECT_THROW(CalendarQuery(store.ns, CalendarQueryOptions{}, test::UsFormats(), kNow,
                             [](const AppointmentEntry&, AutomationDate) {}),
               AutomationError);
}

TEST(CalendarQueryTest, EndedEarlierTodayComparesWholeMinutes) {
  const FormatSettings fs = test::GermanFormats();
  CalendarQueryOptions options;
  options.ShowPreciseCalendar = true;
  const AutomationDate nine = EncodeDateTime(2026, 3, 5, 9, 0);
  const AutomationDate ten = EncodeDateTime(2026, 3, 5, 10, 0);
  const CalendarWindow halfMinuteLater =
      CalendarWindowFor(options, EncodeDateTime(2026, 3, 5, 10, 0, 30));
  const CalendarWindow minuteLater = CalendarWindowFor(options, EncodeDateTime(2026, 3, 5, 10, 1));
  EXPECT_FALSE(EndedEarlierToday(false, nine, ten, halfMinuteLater, fs));
  EXPECT_TRUE(EndedEarlierToday(false, nine, ten, minuteLater, fs));
  // All-day, or not both ends on today: never ended "earlier today".
  EXPECT_FALSE(EndedEarlierToday(true, kToday, kToday + 1, minuteLater, fs));
  EXPECT_FALSE(EndedEarlierToday(true, kToday, ten, minuteLater, fs));
  EXPECT_FALSE(EndedEarlierToday(false, kToday - 1 + 0.9, ten, minuteLater, fs));
  // A time before 10:00 with a one-digit hour must still compare as earlier.
  EXPECT_TRUE(EndedEarlierToday(false, EncodeDateTime(2026, 3, 5, 8, 0),
                                EncodeDateTime(2026, 3, 5, 9, 59), minuteLater, fs));
}

TEST(CalendarQueryTest, DisplayDateMovesOnlyWhatBeganBeforeToday) {
  const FormatSettings fs = test::UsFormats();
  const CalendarWindow w = CalendarWindowFor(CalendarQueryOptions{}, kNow);
  // Began yesterday, ends tomorrow or this morning: listed under today.
  EXPECT_EQ(AppointmentDisplayDate(kToday - 0.5, kToday + 1.5, w, fs), kToday);
  EXPECT_EQ(AppointmentDisplayDate(kToday - 0.5, kToday + 8.0 / 24, w, fs), kToday);
  // An all-day appointment of today ends at 00:00 tomorrow: under its start.
  EXPECT_EQ(AppointmentDisplayDate(kToday, kToday + 1, w, fs), kToday);
  EXPECT_EQ(AppointmentDisplayDate(kToday + 2, kToday + 3, w, fs), kToday + 2);
  // A timed one later in the window, across midnight: under its start.
  EXPECT_EQ(AppointmentDisplayDate(kToday + 2.9, kToday + 3.1, w, fs), kToday + 2.9);
}

}  // namespace
}  // namespace lumivane
