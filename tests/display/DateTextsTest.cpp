#include <gtest/gtest.h>

#include "display/DateTexts.h"
#include "support/FormatFixtures.h"
#include "support/TempFolder.h"

namespace lumivane {
namespace {

struct Expected {
  const char* name;
  FormatSettings fs;
  const char* dateOnly;     // 5 March 2026
  const char* dateAndTime;  // 5 March 2026 14:07:09
  const char* morning;      // 5 March 2026 00:00:01
  const char* headingDate;  // "d/mmm"
  const char* thursday;
  const char* filterStart;
  const char* filterEnd;
};

class DateTextsTest : public ::testing::TestWithParam<Expected> {};

const AutomationDate kDay = EncodeDate(2026, 3, 5);  // a Thursday

TEST_P(DateTextsTest, DateAndTimeTextShowsTheTimeOnlyWhenThereIsOne) {
  const Expected& e = GetParam();
  EXPECT_EQ(DateTimeText(kDay, e.fs), e.dateOnly);
  EXPECT_EQ(DateTimeText(EncodeDateTime(2026, 3, 5, 14, 7, 9), e.fs), e.dateAndTime);
  EXPECT_EQ(DateTimeText(EncodeDateTime(2026, 3, 5, 0, 0, 1), e.fs), e.morning);
  // Milliseconds alone are no time of day.
  EXPECT_EQ(DateTimeText(EncodeDateTime(2026, 3, 5, 0, 0, 0, 400), e.fs), e.dateOnly);
  EXPECT_EQ(DayHeadingDateText(kDay + 0.5, e.fs), e.headingDate);
}

TEST_P(DateTextsTest, DayCaptionWithAndWithoutTodayTomorrow) {
  const Expected& e = GetParam();
  test::TempFolder folder;
  TLanguage language;
  language.LanguageFile = folder.Write("Deutsch.lvl", "[Messages]\nToday=Heute\nTomorrow=Morgen\n");
  const AutomationDate now = kDay + 0.9;  // late on Thursday
  EXPECT_EQ(DayCaption(kDay + 0.1, now, true, language, e.fs), "Heute");
  EXPECT_EQ(DayCaption(kDay + 1.99, now, true, language, e.fs), "Morgen");
  EXPECT_EQ(DayCaption(kDay + 2, now, true, language, e.fs), e.fs.longDayNames[6]);
  EXPECT_EQ(DayCaption(kDay - 1, now, true, language, e.fs), e.fs.longDayNames[3]);
  EXPECT_EQ(DayCaption(kDay, now, false, language, e.fs), e.thursday);
  EXPECT_EQ(DayCaption(kDay + 1, now, false, language, e.fs), e.fs.longDayNames[5]);
  // Further than a week away still gives the weekday.
  EXPECT_EQ(DayCaption(kDay + 14, now, true, language, e.fs), e.thursday);
  // Without a translation file the English words show.
  EXPECT_EQ(DayCaption(kDay, now, true, TLanguage{}, e.fs), "Today");
  EXPECT_EQ(DayCaption(kDay + 1, now, true, TLanguage{}, e.fs), "Tomorrow");
}

TEST_P(DateTextsTest, SameDayAndMinuteComparisons) {
  const Expected& e = GetParam();
  EXPECT_TRUE(IsSameDay(kDay, kDay + 0.99999, e.fs));
  EXPECT_FALSE(IsSameDay(kDay + 0.99999, kDay + 1, e.fs));
  EXPECT_FALSE(IsSameDay(kDay, EncodeDate(2027, 3, 5), e.fs));
  // Before 30 December 1899 the time counts forward from a negative day.
  EXPECT_TRUE(
      IsSameDay(EncodeDateTime(1899, 12, 29, 1, 0), EncodeDateTime(1899, 12, 29, 23, 0), e.fs));
  EXPECT_EQ(MinuteText(EncodeDateTime(2026, 3, 5, 9, 5, 59), e.fs), "09:05");
  EXPECT_EQ(MinuteText(EncodeDateTime(2026, 3, 5, 21, 5), e.fs), "21:05");
  EXPECT_EQ(MinuteText(EncodeDateTime(2026, 3, 5, 9, 5, 1), e.fs),
            MinuteText(EncodeDateTime(2026, 3, 1, 9, 5, 30), e.fs));
}

TEST_P(DateTextsTest, FilterDatesIgnoreTheTimeOfDay) {
  const Expected& e = GetParam();
  EXPECT_EQ(FilterDateText(kDay + 0.75, FilterBound::DayStart, e.fs), e.filterStart);
  EXPECT_EQ(FilterDateText(kDay, FilterBound::DayEnd, e.fs), e.filterEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateTextsTest,
    ::testing::Values(Expected{"UsLike", test::UsFormats(), "3/5/2026", "3/5/2026 2:07:09 PM",
                               "3/5/2026 12:00:01 AM", "5/Mar", "Thursday", "3/5/2026 00:00",
                               "3/5/2026 23:59"},
                      Expected{"GermanLike", test::GermanFormats(), "05.03.2026",
                               "05.03.2026 14:07:09", "05.03.2026 00:00:01", "5.M\xC3\xA4rz",
                               "Donnerstag", "05.03.2026 00:00", "05.03.2026 23:59"}),
    [](const ::testing::TestParamInfo<Expected>& info) { return info.param.name; });

TEST(FilterDateText, UsesTheLocaleTimeSeparator) {
  FormatSettings fs = test::GermanFormats();
  fs.timeSeparator = ".";
  EXPECT_EQ(FilterDateText(kDay, FilterBound::DayEnd, fs), "05.03.2026 23.59");
  EXPECT_EQ(FilterDateText(0.0, FilterBound::DayStart, fs), "30.12.1899 00.00");
}

}  // namespace
}  // namespace lumivane
