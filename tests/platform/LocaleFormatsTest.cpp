#include <gtest/gtest.h>

#include "i18n/DateFormat.h"
#include "platform/LocaleFormats.h"

namespace lumivane {
namespace {

TEST(ConvertQtPattern, LettersSeparatorsAndLiterals) {
  EXPECT_EQ(ConvertQtPattern("M/d/yy", "/", '/'), "m/d/yyyy");
  EXPECT_EQ(ConvertQtPattern("dd.MM.yy", ".", '/'), "dd/mm/yyyy");
  EXPECT_EQ(ConvertQtPattern("h:mm:ss AP t", ":", ':'), "h:nn:ss ampm");
  EXPECT_EQ(ConvertQtPattern("HH:mm:ss t", ":", ':'), "hh:nn:ss");
  EXPECT_EQ(ConvertQtPattern("t HH:mm:ss", ":", ':'), "hh:nn:ss");
  EXPECT_EQ(ConvertQtPattern("H:mm:ss (t)", ":", ':'), "h:nn:ss");
  EXPECT_EQ(ConvertQtPattern("H.mm", ".", ':'), "h:nn");
  EXPECT_EQ(ConvertQtPattern("ap h:mm", ":", ':'), "ampm h:nn");
  // Literal text with letters or our separators is quoted.
  EXPECT_EQ(ConvertQtPattern("d 'de' MMMM", "", '/'), "d\" de \"mmmm");
  EXPECT_EQ(ConvertQtPattern("yyyy-MM-dd 'at' 12:00", "-", '/'), "yyyy/mm/dd\" at 12:00\"");
  EXPECT_EQ(ConvertQtPattern("d.M.yyyy 'o''clock'", ".", '/'), "d/m/yyyy\" o'clock\"");
  EXPECT_EQ(QtPatternSeparator("yy. M. d."), ".");
  EXPECT_EQ(QtPatternSeparator("yyyyMMdd"), "");
  EXPECT_EQ(QtPatternSeparator("H.mm"), ".");
  EXPECT_EQ(QtPatternSeparator("AP h:mm"), ":");
}

TEST(FormatSettingsFromLocale, KnownLocales) {
  const FormatSettings us = FormatSettingsFromLocale(QLocale("en_US"));
  EXPECT_EQ(us.shortDateFormat, "m/d/yyyy");
  EXPECT_EQ(us.shortTimeFormat, "h:nn ampm");
  EXPECT_EQ(us.longTimeFormat, "h:nn:ss ampm");
  EXPECT_EQ(us.dateSeparator, "/");
  EXPECT_EQ(us.longDayNames[0], "Sunday");
  EXPECT_EQ(us.shortMonthNames[11], "Dec");
  const AutomationDate moment = EncodeDateTime(2026, 12, 24, 18, 5, 9);
  EXPECT_EQ(FormatDateTime(us.shortDateFormat + " " + us.longTimeFormat, moment, us),
            "12/24/2026 6:05:09 PM");

  const FormatSettings de = FormatSettingsFromLocale(QLocale("de_DE"));
  EXPECT_EQ(de.shortDateFormat, "dd/mm/yyyy");
  EXPECT_EQ(de.dateSeparator, ".");
  EXPECT_EQ(de.longDayNames[4], "Donnerstag");
  EXPECT_EQ(FormatDateTime(de.shortDateFormat + " " + de.longTimeFormat, moment, de),
            "24.12.2026 18:05:09");

  const FormatSettings c = FormatSettingsFromLocale(QLocale::c());
  EXPECT_EQ(FormatDateTime(c.shortDateFormat + " " + c.longTimeFormat, moment, c),
            "2026-12-24 18:05:09");
  EXPECT_EQ(FormatDateTime(c.shortTimeFormat, moment, c), "18:05");
}

class LocaleRoundTrip : public ::testing::TestWithParam<const char*> {};

// Filter texts are written as the short date and a time, and read back by the
// automation server: every moment must come back unchanged.
TEST_P(LocaleRoundTrip, EveryDayOfAYearReadsBack) {
  const QLocale locale = std::string(GetParam()) == "C" ? QLocale::c() : QLocale(GetParam());
  const FormatSettings fs = FormatSettingsFromLocale(locale);
  const std::string withSeconds = fs.shortDateFormat + " " + fs.longTimeFormat;
  const std::string withMinutes = fs.shortDateFormat + " " + fs.shortTimeFormat;
  for (AutomationDate day = EncodeDate(2025, 1, 1); day < EncodeDate(2026, 1, 1); day += 1) {
    // A different time each day, through both halves of the day.
    const int minuteOfDay = static_cast<int>(day) * 37 % 1440;
    const AutomationDate moment =
        EncodeDateTime(DecodeDate(day).year, DecodeDate(day).month, DecodeDate(day).day,
                       minuteOfDay / 60, minuteOfDay % 60, static_cast<int>(day) % 60);
    const std::string longText = FormatDateTime(withSeconds, moment, fs);
    ASSERT_EQ(ParseDateTime(longText, fs), moment) << longText;
    const std::string shortText = FormatDateTime(withMinutes, moment, fs);
    const AutomationDate toMinute = moment - (static_cast<int>(day) % 60) / 86400.0;
    ASSERT_NEAR(ParseDateTime(shortText, fs).value_or(-1), toMinute, 1e-9) << shortText;
  }
  // The end day of 1899 and the filter forms of the query.
  for (const char* hour : {"00", "23"}) {
    const std::string text = FormatDateTime(fs.shortDateFormat, 0.0, fs) + " " + hour +
                             fs.timeSeparator + (hour[0] == '0' ? "00" : "59");
    const auto read = ParseDateTime(text, fs);
    ASSERT_TRUE(read) << text;
    EXPECT_EQ(DecodeDate(*read).year, 1899) << text;
    EXPECT_EQ(DecodeDate(*read).day, 30) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleRoundTrip,
                         ::testing::Values("en_US", "en_GB", "de_DE", "C", "fr_FR", "ko_KR",
                                           "zh_CN", "fi_FI", "bg_BG", "es_ES", "nl_NL", "hu_HU",
                                           "ja_JP", "ar_EG"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

}  // namespace
}  // namespace lumivane
