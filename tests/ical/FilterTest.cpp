#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/AutomationDate.h"
#include "ical/IcalTestSupport.h"
#include "outlook/AutomationError.h"
#include "outlook/ical/Filter.h"

namespace lumivane::ical {
namespace {

using ::testing::HasSubstr;

enum { kStart, kEnd, kComplete, kImportance, kSubject };
constexpr FilterProperty kProperties[] = {
    {"Start", ValueType::Date},       {"End", ValueType::Date},
    {"Complete", ValueType::Boolean}, {"Importance", ValueType::Number},
    {"Subject", ValueType::Text},
};

struct Row final : FilterRow {
  AutomationDate start = 0;
  AutomationDate end = 0;
  bool complete = false;
  int importance = 1;
  std::string subject;

  WallSeconds DateValue(int property) const override {
    return WallFromAutomation(property == kStart ? start : end);
  }
  std::string_view TextValue(int) const override { return subject; }
  double NumberValue(int property) const override {
    return property == kComplete ? (complete ? 1 : 0) : importance;
  }
};

Filter Read(const std::string& text) {
  return Filter::Parse(text, kProperties, test::UsFormats());
}

bool Matches(const std::string& text, const Row& row) {
  return Read(text).Matches(row);
}

Row Timed(AutomationDate start, AutomationDate end) {
  Row row;
  row.start = start;
  row.end = end;
  return row;
}

std::string ErrorOf(const std::string& text) {
  try {
    Read(text);
  } catch (const AutomationError& e) {
    return e.what();
  }
  return "no error";
}

TEST(FilterTest, NotBindsBeforeAndBeforeOrInAnyLetterCase) {
  Row row;
  row.complete = true;
  row.importance = 0;
  row.subject = "Dentist";
  // Or(Complete, And(Importance = 2, ...)): true through its first operand.
  EXPECT_TRUE(Matches("[Complete] = True Or [Importance] = 2 And [Subject] = \"x\"", row));
  // Parentheses change the grouping.
  EXPECT_FALSE(Matches("([Complete] = True Or [Importance] = 2) And [Subject] = \"x\"", row));
  // And(Not Complete, ...), not Not(And(...)).
  EXPECT_FALSE(Matches("NOT [Complete] = True aNd [Importance] = 2", row));
  EXPECT_TRUE(Matches("not ([Complete] = True and [Importance] = 2)", row));
  EXPECT_TRUE(Matches("Not Not [Complete] = TRUE", row));
}

TEST(FilterTest, ComparesEachKindOfValue) {
  Row row;
  row.importance = 2;
  row.subject = "Team \"stand-up\"";
  EXPECT_TRUE(Matches("[Importance]>=2", row));
  EXPECT_FALSE(Matches("[Importance] < 2", row));
  EXPECT_TRUE(Matches("[Importance] <> 1.5", row));
  EXPECT_TRUE(Matches("[Complete] = false", row));
  EXPECT_TRUE(Matches("[Complete] = 0", row));  // automation Booleans
  EXPECT_TRUE(Matches("[Complete] <> -1", row));
  // Texts: doubled quotes, either quote character, ASCII letters without case.
  EXPECT_TRUE(Matches("[Subject] = \"team \"\"STAND-up\"\"\"", row));
  EXPECT_TRUE(Matches("[Subject] = 'TEAM \"stand-up\"'", row));
  EXPECT_TRUE(Matches("[Subject] > \"Tea\" and [Subject] < \"Teb\"", row));
  row.subject = "\xC3\x84rzte";  // Ärzte: only ASCII letters have a case
  EXPECT_FALSE(Matches("[Subject] = \"\xC3\xA4rzte\"", row));
  EXPECT_TRUE(Matches("[subject] = \"\xC3\x84RZTE\"", row));
}

TEST(FilterTest, DatesCompareToTheSecondWithBlanksOptional) {
  const AutomationDate midnight = EncodeDateTime(2026, 12, 8, 0, 0);
  const Row atMidnight = Timed(midnight - 1, midnight);
  EXPECT_FALSE(Matches("[End]>\"12/08/2026 00:00\"", atMidnight));
  EXPECT_TRUE(Matches("[End]>=\"12/08/2026 00:00\"", atMidnight));
  EXPECT_TRUE(Matches("[End] = \"12/08/2026 00:00\"", atMidnight));
  EXPECT_TRUE(Matches("[End]<=\"12/08/2026 00:00\"", atMidnight));
  const Row aSecondLater = Timed(midnight - 1, EncodeDateTime(2026, 12, 8, 0, 0, 1));
  EXPECT_TRUE(Matches("[End]>\"12/08/2026 00:00\"", aSecondLater));
  EXPECT_FALSE(Matches("[End] = \"12/08/2026 00:00\"", aSecondLater));
}

// The two texts of the calendar query, the precise one in the mended form,
// against a hand-made list of appointments around a window from 8 to 13
// December (today 8 December).
TEST(FilterTest, BothCalendarFormsSelectTheHandMadeList) {
  const std::string first =
      "(([Start] >= \"12/08/2026 00:00\") And ([Start] <= \"12/13/2026 23:59\"))or "
      "([End]>\"12/08/2026 00:00\") And ([End] <= \"12/13/2026 23:59\")";
  const std::string precise =
      "(((([End] >= \"12/08/2026 00:00\") and  ([Start] >= \"12/08/2026 00:00\")) or "
      "([End]>\"12/08/2026 00:00\")) And ([End] <= \"12/13/2026 23:59\")) or "
      "(([Start] >= \"12/08/2026 00:00\") And ([Start] <= \"12/13/2026 23:59\"))";
  const auto at = [](int day, int hour, int minute = 0) {
    return EncodeDateTime(2026, 12, day, hour, minute);
  };
  struct Case {
    const char* what;
    AutomationDate start, end;
    bool first, precise;
  };
  const Case cases[] = {
      {"ended yesterday", at(7, 9), at(7, 10), false, false},
      {"ended at today's midnight", at(7, 23), at(8, 0), false, false},
      {"from yesterday into today", at(7, 22), at(8, 1), true, true},
      {"today", at(8, 9), at(8, 10), true, true},
      {"all day today", at(8, 0), at(9, 0), true, true},
      {"on the last day", at(13, 23, 59), at(14, 0, 30), true, true},
      {"after the window", at(14, 0), at(14, 1), false, false},
      {"from yesterday beyond the window", at(7, 9), at(20, 9), false, false},
      {"starts inside, ends after the window", at(12, 9), at(15, 9), true, true},
      {"a week before into the window", at(1, 9), at(9, 9), true, true},
  };
  const Filter firstFilter = Read(first);
  const Filter preciseFilter = Read(precise);
  for (const Case& c : cases) {
    const Row row = Timed(c.start, c.end);
    EXPECT_EQ(firstFilter.Matches(row), c.first) << c.what;
    EXPECT_EQ(preciseFilter.Matches(row), c.precise) << c.what;
  }
}

TEST(FilterTest, BoundsFollowFromTheTextByGeneralRules) {
  const WallSeconds t0 = WallFromAutomation(EncodeDateTime(2026, 12, 8, 0, 0));
  const WallSeconds e1 = WallFromAutomation(EncodeDateTime(2026, 12, 13, 23, 59));
  // Either branch: starts by the window's end and ends after its start.
  const DateBounds window =
      Read(
          "(([Start] >= \"12/08/2026 00:00\") And ([Start] <= \"12/13/2026 23:59\"))or "
          "([End]>\"12/08/2026 00:00\") And ([End] <= \"12/13/2026 23:59\")")
          .BoundsOf(kStart, kEnd);
  EXPECT_EQ(window.first.hi, e1);
  EXPECT_EQ(window.second.lo, t0);
  EXPECT_EQ(window.first.lo, WallRange{}.lo);
  EXPECT_EQ(window.second.hi, WallRange{}.hi);

  // An end day of 30 December 1899 leaves nothing to find.
  EXPECT_TRUE(Read("(([Start] >= \"12/08/2026 00:00\") And ([Start] <= \"12/30/1899 23:59\"))or "
                   "([End]>\"12/08/2026 00:00\") And ([End] <= \"12/30/1899 23:59\")")
                  .BoundsOf(kStart, kEnd)
                  .Empty());
  // A negation or a filter without dates bounds nothing.
  const DateBounds negated = Read("Not [Start] < \"12/08/2026 00:00\"").BoundsOf(kStart, kEnd);
  EXPECT_EQ(negated.first.lo, WallRange{}.lo);
  const DateBounds open = Read("([Complete] = True or [Complete] = False)").BoundsOf(kStart, kEnd);
  EXPECT_FALSE(open.Empty());
  EXPECT_EQ(open.first.hi, WallRange{}.hi);
}

TEST(FilterTest, UnreadableTextsSayWhere) {
  EXPECT_THAT(ErrorOf("[Start] >= \"12/08/2026 00:00\" And [Duration] > 5"),
              HasSubstr("unknown property [Duration] at position 35"));
  EXPECT_THAT(ErrorOf("([Complete] = True"), HasSubstr("is not closed"));
  EXPECT_THAT(ErrorOf("[Complete] ="), HasSubstr("a value is missing at position 13"));
  EXPECT_THAT(ErrorOf("[Start] >= \"13/45/2026 00:00\""),
              HasSubstr("\"13/45/2026 00:00\" is not a date"));
  EXPECT_THAT(ErrorOf("[Complete] = True False"), HasSubstr("unexpected \"F\" at position 19"));
  EXPECT_THAT(ErrorOf("[Complete] = \"yes\""), HasSubstr("takes True or False"));
  EXPECT_THAT(ErrorOf("[Subject] == \"x\""), HasSubstr("a value is expected at position 12"));
  EXPECT_THAT(ErrorOf("[Complete] = True andor [Complete] = False"), HasSubstr("unexpected \"a\""));
  EXPECT_THAT(ErrorOf(""), HasSubstr("a condition is missing at position 1"));
  EXPECT_THAT(ErrorOf("[Subject] = \"open"), HasSubstr("is not closed"));
}

}  // namespace
}  // namespace lumivane::ical
