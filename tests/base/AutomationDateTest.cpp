#include <gtest/gtest.h>

#include "base/AutomationDate.h"

namespace lumivane {
namespace {

TEST(AutomationDate, KnownAnchors) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(1970, 1, 1), 25569.0);
  // The "no date" value of tasks is 1 January 4501.
  EXPECT_EQ(EncodeDate(4501, 1, 1), 949998.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime(2026, 12, 8, 18, 0), EncodeDate(2026, 12, 8) + 0.75);
}

TEST(AutomationDate, RoundTripsEveryDayOfSeveralYearsWithTimes) {
  for (double d = EncodeDate(1899, 1, 1); d < EncodeDate(2031, 1, 1); d += 1.0) {
    const CivilDate c = DecodeDate(d);
    ASSERT_EQ(EncodeDate(c.year, c.month, c.day), d) << c.year << '-' << c.month << '-' << c.day;
    const double withTime = EncodeDateTime(c.year, c.month, c.day, 23, 59, 59);
    const TimeOfDay t = DecodeTime(withTime);
    ASSERT_EQ(t.hour, 23);
    ASSERT_EQ(t.minute, 59);
    ASSERT_EQ(t.second, 59);
    ASSERT_EQ(DecodeDate(withTime).day, c.day);
  }
}

TEST(AutomationDate, NegativeDatesKeepTheTimeForward) {
  // 29 December 1899 06:00 is -1.25: the day is -1, the time a quarter day.
  const double d = EncodeDateTime(1899, 12, 29, 6, 0);
  EXPECT_DOUBLE_EQ(d, -1.25);
  EXPECT_EQ(DecodeDate(d).day, 29);
  EXPECT_EQ(DecodeTime(d).hour, 6);
  EXPECT_EQ(DateOf(d), -1.0);
}

TEST(AutomationDate, TimeRoundsToTheMillisecondAndCarriesIntoTheDay) {
  const double almostMidnight = EncodeDate(2026, 3, 31) + 0.99999999999;
  EXPECT_EQ(DecodeDate(almostMidnight).month, 4);
  EXPECT_EQ(DecodeTime(almostMidnight).hour, 0);
  EXPECT_EQ(DecodeTime(EncodeDate(2026, 1, 1) + 10.0 / 24.0).minute, 0);
}

TEST(AutomationDate, DayNumbersTellTheDayDecodeDateTells) {
  const double day = EncodeDate(2026, 3, 31);
  const double ms = 1.0 / 86400000.0;
  EXPECT_EQ(DayNumber(day), 46112);
  EXPECT_EQ(DayNumber(day + 0.75), 46112);
  // Half a millisecond before midnight rounds into the next day; a little
  // less stays, as DecodeDate decides.
  EXPECT_EQ(DayNumber(day + 1.0 - 0.4 * ms), 46113);
  EXPECT_EQ(DecodeDate(day + 1.0 - 0.4 * ms).month, 4);
  EXPECT_EQ(DayNumber(day + 1.0 - 0.6 * ms), 46112);
  EXPECT_EQ(DecodeDate(day + 1.0 - 0.6 * ms).day, 31);
  // Before 1899 the time runs forward from a negative day, and rounding up
  // moves to the day before.
  EXPECT_EQ(DayNumber(-1.25), -1);
  EXPECT_EQ(DayNumber(-1.0 - (1.0 - 0.4 * ms)), -2);
  EXPECT_EQ(DecodeDate(-1.0 - (1.0 - 0.4 * ms)).day, 28);
  // Every day of a few years, at its start and end, against the civil date.
  for (double d = EncodeDate(2024, 1, 1); d < EncodeDate(2028, 1, 1); d += 1.0) {
    const CivilDate c = DecodeDate(d);
    ASSERT_EQ(DayNumber(d + 0.99999), DayNumber(d));
    ASSERT_EQ(DayNumber(d), static_cast<long long>(EncodeDate(c.year, c.month, c.day)));
  }
}

TEST(AutomationDate, WeekdaysAndMonthLengths) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 2);                  // a Tuesday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 6);                 // a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 25)), 1);                 // a Monday, before the epoch
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 3, 28) + 0.99999999999), 0);  // rounds into Sunday
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_FALSE(IsValidCivilDate(2026, 2, 29));
  EXPECT_TRUE(IsValidCivilDate(2028, 2, 29));
}

}  // namespace
}  // namespace lumivane
