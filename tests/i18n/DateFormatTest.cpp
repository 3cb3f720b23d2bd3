#include <gtest/gtest.h>

#include <chrono>

#include "i18n/DateFormat.h"
#include "support/FormatFixtures.h"

namespace lumivane {
namespace {

using test::GermanFormats;
using test::UsFormats;

TEST(FormatDateTime, WritesEachPatternLetter) {
  const FormatSettings us = UsFormats();
  const AutomationDate d = EncodeDateTime(2026, 3, 4, 15, 7, 9);
  EXPECT_EQ(FormatDateTime("d dd ddd dddd", d, us), "4 04 Wed Wednesday");
  EXPECT_EQ(FormatDateTime("m mm mmm mmmm", d, us), "3 03 Mar March");
  EXPECT_EQ(FormatDateTime("yy yyyy", d, us), "26 2026");
  EXPECT_EQ(FormatDateTime("yyyy yy d", EncodeDate(987, 1, 2), us), "0987 87 2");
  EXPECT_EQ(FormatDateTime("h hh n nn s ss", d, us), "15 15 7 07 9 09");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", d, us), "3:07 pm");
  EXPECT_EQ(FormatDateTime("hh:nn AM/PM", EncodeDateTime(2026, 3, 4, 0, 5), us), "12:05 AM");
  EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeDateTime(2026, 3, 4, 12, 0), us), "12:00 PM");
  EXPECT_EQ(FormatDateTime("mmmm d, yyyy", d, us), "March 4, 2026");
  EXPECT_EQ(FormatDateTime("'day' d \"of\" m", d, us), "day 4 of 3");
  EXPECT_EQ(FormatDateTime("M/D/YYYY", d, us), "3/4/2026");
  // Patterns of one field alone: only the part of the date they write is read.
  EXPECT_EQ(FormatDateTime("dddd", d, us), "Wednesday");
  EXPECT_EQ(FormatDateTime("mmm", d, us), "Mar");
  EXPECT_EQ(FormatDateTime("ampm", d, us), "PM");
  EXPECT_EQ(FormatDateTime("ss", d, us), "09");
}

TEST(FormatDateTime, SeparatorsComeFromTheLocale) {
  const AutomationDate d = EncodeDateTime(2026, 12, 24, 9, 30);
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", d, GermanFormats()), "24.12.2026 09:30");
  FormatSettings fs = GermanFormats();
  fs.timeSeparator = ".";
  EXPECT_EQ(FormatDateTime("hh:nn", d, fs), "09.30");
}

TEST(AppendDateTime, WritesAfterWhatIsThereAlready) {
  const AutomationDate d = EncodeDateTime(2026, 12, 24, 21, 5);
  std::string line = "<b>";
  AppendDateTime(line, "h:nn a/p", d, UsFormats());
  AppendDateTime(line, " ddd", d, UsFormats());
  EXPECT_EQ(line, "<b>9:05 p Thu");
}

TEST(ParseDateTime, ReadsDateWithAndWithoutTime) {
  const FormatSettings us = UsFormats();
  EXPECT_EQ(ParseDateTime("3/4/2026", us), EncodeDate(2026, 3, 4));
  EXPECT_EQ(ParseDateTime(" 3/4/2026  3:07 PM ", us), EncodeDateTime(2026, 3, 4, 15, 7));
  EXPECT_EQ(ParseDateTime("3/4/2026 12:00 am", us), EncodeDate(2026, 3, 4));
  EXPECT_EQ(ParseDateTime("03/04/2026 3:07:09 PM", us), EncodeDateTime(2026, 3, 4, 15, 7, 9));
  EXPECT_EQ(ParseDateTime("3/4/2026 15:07", us), EncodeDateTime(2026, 3, 4, 15, 7));
  const FormatSettings de = GermanFormats();
  EXPECT_EQ(ParseDateTime("24.12.2026 23:59", de), EncodeDateTime(2026, 12, 24, 23, 59));
  EXPECT_EQ(ParseDateTime("30.12.1899 00:00", de), 0.0);
}

TEST(ParseDateTime, RejectsWhatIsNotADate) {
  const FormatSettings us = UsFormats();
  for (const char* text :
       {"", "tomorrow", "13/1/2026", "2/30/2026", "3/4", "3/4/2026 25:00", "3/4/2026 13:00 PM",
        "3/4/2026 10:60", "3/4/2026 10", "3/4/2026 x", "3-4-2026"}) {
    EXPECT_EQ(ParseDateTime(text, us), std::nullopt) << text;
  }
  EXPECT_EQ(ParseDateTime("3/4/2026", GermanFormats()), std::nullopt);
}

TEST(ParseDateTime, FollowsTheShortDatePattern) {
  FormatSettings fs;
  fs.shortDateFormat = "dddd d mmm yyyy";
  fs.dateSeparator = "-";
  EXPECT_EQ(ParseDateTime("Thursday 5 MAR 2026", fs), EncodeDate(2026, 3, 5));
  EXPECT_EQ(ParseDateTime("Thu 5 March 2026 7:05", fs), EncodeDateTime(2026, 3, 5, 7, 5));
  EXPECT_EQ(ParseDateTime("Thursday 5 Mrz 2026", fs), std::nullopt);
  fs.shortDateFormat = "yyyymmdd";
  EXPECT_EQ(ParseDateTime("20260305", fs), EncodeDate(2026, 3, 5));
  fs.shortDateFormat = "d\"th of\" mmmm yyyy";
  EXPECT_EQ(FormatDateTime(fs.shortDateFormat, EncodeDate(2026, 3, 5), fs), "5th of March 2026");
  EXPECT_EQ(ParseDateTime("5th of March 2026", fs), EncodeDate(2026, 3, 5));
}

TEST(ParseDateTime, TwoDigitYearsAndTheLocaleTimeForms) {
  FormatSettings fs;
  fs.shortDateFormat = "yy/mm/dd";
  fs.dateSeparator = ".";
  fs.longTimeFormat = "ampm h\"h\"nn\"m\"ss";
  fs.shortTimeFormat = "ampm h:nn";
  fs.timeAMString = "vorm.";
  fs.timePMString = "nachm.";
  // A two-digit year stays within fifty years of the current one.
  const auto now = std::chrono::system_clock::now();
  const int thisYear = static_cast<int>(
      std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(now)).year());
  const AutomationDate thisYearsDay = EncodeDate(thisYear, 6, 1);
  EXPECT_EQ(ParseDateTime(FormatDateTime("yy/mm/dd", thisYearsDay, fs), fs), thisYearsDay);
  const auto farBack =
      ParseDateTime(FormatDateTime("yy/mm/dd", EncodeDate(thisYear - 60, 6, 1), fs), fs);
  ASSERT_TRUE(farBack);
  EXPECT_EQ(DecodeDate(*farBack).year, thisYear + 40);

  const AutomationDate d = EncodeDateTime(2026, 3, 5, 19, 4, 2);
  const std::string longText = FormatDateTime("yyyy/mm/dd " + fs.longTimeFormat, d, fs);
  EXPECT_EQ(longText, "2026.03.05 nachm. 7h04m02");
  fs.shortDateFormat = "yyyy/mm/dd";
  EXPECT_EQ(ParseDateTime(longText, fs), d);
  EXPECT_EQ(ParseDateTime("2026.03.05 nachm. 7:04", fs), d - 2.0 / 86400);
  EXPECT_EQ(ParseDateTime("2026.03.05 7:04 PM", fs), d - 2.0 / 86400);
  EXPECT_EQ(ParseDateTime("2026.03.05 vorm. 12:04", fs), EncodeDateTime(2026, 3, 5, 0, 4));
}

}  // namespace
}  // namespace lumivane
