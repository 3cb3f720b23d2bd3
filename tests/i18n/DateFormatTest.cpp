#include "i18n/DateFormat.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

FormatSettings UsLike() {
  FormatSettings fs;
  fs.shortDateFormat = "M/d/yyyy";
  fs.shortTimeFormat = "h:nn ampm";
  fs.longTimeFormat = "h:nn:ss ampm";
  fs.dateSeparator = "/";
  fs.timeSeparator = ":";
  return fs;
}

FormatSettings GermanLike() {
  FormatSettings fs;
  fs.shortDateFormat = "dd.mm.yyyy";
  fs.shortTimeFormat = "hh:nn";
  fs.longTimeFormat = "hh:nn:ss";
  fs.dateSeparator = ".";
  fs.timeSeparator = ":";
  return fs;
}

TEST(FormatDateTime, WritesEachPatternLetter) {
  const FormatSettings us = UsLike();
  const AutomationDate d = EncodeDateTime(2026, 3, 4, 15, 7, 9);
  EXPECT_EQ(FormatDateTime("d dd ddd dddd", d, us), "4 04 Wed Wednesday");
  EXPECT_EQ(FormatDateTime("m mm mmm mmmm", d, us), "3 03 Mar March");
  EXPECT_EQ(FormatDateTime("yy yyyy", d, us), "26 2026");
  EXPECT_EQ(FormatDateTime("h hh n nn s ss", d, us), "15 15 7 07 9 09");
  EXPECT_EQ(FormatDateTime("h:nn am/pm", d, us), "3:07 pm");
  EXPECT_EQ(FormatDateTime("hh:nn AM/PM", EncodeDateTime(2026, 3, 4, 0, 5), us), "12:05 AM");
  EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeDateTime(2026, 3, 4, 12, 0), us), "12:00 PM");
  EXPECT_EQ(FormatDateTime("mmmm d, yyyy", d, us), "March 4, 2026");
  EXPECT_EQ(FormatDateTime("'day' d \"of\" m", d, us), "day 4 of 3");
  EXPECT_EQ(FormatDateTime("M/D/YYYY", d, us), "3/4/2026");
}

TEST(FormatDateTime, SeparatorsComeFromTheLocale) {
  const AutomationDate d = EncodeDateTime(2026, 12, 24, 9, 30);
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", d, GermanLike()), "24.12.2026 09:30");
  FormatSettings fs = GermanLike();
  fs.timeSeparator = ".";
  EXPECT_EQ(FormatDateTime("hh:nn", d, fs), "09.30");
}

TEST(ParseDateTime, ReadsDateWithAndWithoutTime) {
  const FormatSettings us = UsLike();
  EXPECT_EQ(ParseDateTime("3/4/2026", us), EncodeDate(2026, 3, 4));
  EXPECT_EQ(ParseDateTime(" 3/4/2026  3:07 PM ", us), EncodeDateTime(2026, 3, 4, 15, 7));
  EXPECT_EQ(ParseDateTime("3/4/2026 12:00 am", us), EncodeDate(2026, 3, 4));
  EXPECT_EQ(ParseDateTime("03/04/2026 3:07:09 PM", us), EncodeDateTime(2026, 3, 4, 15, 7, 9));
  EXPECT_EQ(ParseDateTime("3/4/2026 15:07", us), EncodeDateTime(2026, 3, 4, 15, 7));
  const FormatSettings de = GermanLike();
  EXPECT_EQ(ParseDateTime("24.12.2026 23:59", de), EncodeDateTime(2026, 12, 24, 23, 59));
  EXPECT_EQ(ParseDateTime("30.12.1899 00:00", de), 0.0);
}

TEST(ParseDateTime, RejectsWhatIsNotADate) {
  const FormatSettings us = UsLike();
  for (const char* text : {"", "tomorrow", "13/1/2026", "2/30/2026", "3/4", "3/4/2026 25:00",
                           "3/4/2026 13:00 PM", "3/4/2026 10:60", "3/4/2026 10", "3/4/2026 x",
                           "3-4-2026"}) {
    EXPECT_EQ(ParseDateTime(text, us), std::nullopt) << text;
  }
  EXPECT_EQ(ParseDateTime("3/4/2026", GermanLike()), std::nullopt);
}

}  // namespace
}  // namespace lumivane
