#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/OptionsPreview.h"

namespace lumivane {
namespace {

using Lines = std::vector<std::string>;

// Both sections, shadow off, left, no indent, start-date sort, every other box off.
PreviewChoices Plain() {
  PreviewChoices c;
  c.showShadow = false;
  c.alignRight = false;
  c.indentOn = false;
  c.showCalendar = true;
  c.showTasks = true;
  c.sortTasks = 2;
  c.showStartTime = false;
  c.showEndTime = false;
  c.showAllDay = false;
  c.useTodayTomorrow = false;
  c.showImpIcons = false;
  c.showCompleted = false;
  c.showTaskDate = false;
  c.taskDateColor = false;
  c.colorAllTask = false;
  return c;
}

TEST(OptionsPreview, PlainChoicesGiveOneLinePerItem) {
  const Lines expected = {
      "<P align=\"left\">",
      "<IMG src=\"idx:1\" align=\"top\"> <U><B>Calendar</B></U><BR>",
      "<b>Wednesday</b><br>",
      "Buy Plane Tickets<br>",
      "<b>Thursday</b><br>",
      "Download latest build<br>",
      "Review Carlson Project<br>",
      "Finish Smith Report<br>",
      "<b>Friday</b><br>",
      "Call Grandma<br>",
      "<BR>",
      "<IMG src=\"idx:0\" align=\"top\"> <U><B>Tasks</B></U><BR>",
      "Weekly Backup<br>",
      "Laura's Gift<br>",
      "Prepare Convention<br>",
  };
  EXPECT_EQ(BuildPreviewMarkup(Plain(), PreviewWords{}), expected);
}

TEST(OptionsPreview, DayHeadersFollowTodayTomorrowAndTheLocale) {
  PreviewWords words;
  words.today = "Heute";
  words.tomorrow = "Morgen";
  words.day1 = "Mittwoch";
  words.day2 = "Donnerstag";
  words.day3 = "Freitag";
  PreviewChoices c = Plain();
  Lines lines = BuildPreviewMarkup(c, words);
  EXPECT_EQ(lines[2], "<b>Mittwoch</b><br>");
  EXPECT_EQ(lines[4], "<b>Donnerstag</b><br>");
  EXPECT_EQ(lines[8], "<b>Freitag</b><br>");
  c.useTodayTomorrow = true;
  lines = BuildPreviewMarkup(c, words);
  EXPECT_EQ(lines[2], "<b>Heute</b><br>");
  EXPECT_EQ(lines[4], "<b>Morgen</b><br>");
  // The third day is always named.
  EXPECT_EQ(lines[8], "<b>Freitag</b><br>");
}

TEST(OptionsPreview, IndentGoesToTheAlignedSide) {
  PreviewChoices c = Plain();
  c.indentOn = true;
  c.indent = 4;
  c.alignRight = true;
  c.showStartTime = true;
  c.showAllDay = true;
  const Lines lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[0], "<P align=\"right\">");
  for (const std::string& line : lines) EXPECT_NE(line.front(), ' ') << line;
  for (const char* subject : {"Buy Plane Tickets", "Download latest build",
                              "Review Carlson Project", "Finish Smith Report", "Call Grandma"}) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(subject) + "    <br>"), lines.end())
        << subject;
  }
  // Tasks are never indented.
  EXPECT_EQ(lines.back(), "Prepare Convention<br>");

  c.alignRight = false;
  const Lines left = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(left[3], "    <font size=\"7\"> All Day - </font>");
  EXPECT_EQ(left[4], "Buy Plane Tickets<br>");
}

TEST(OptionsPreview, TimesUseTheSmallerFontSize) {
  PreviewChoices c = Plain();
  c.showStartTime = true;
  c.showEndTime = true;
  c.fontPointSize = 10;
  Lines lines = BuildPreviewMarkup(c, PreviewWords{});
  // No all-day text: the all-day items stay one line each.
  EXPECT_EQ(lines[3], "Buy Plane Tickets<br>");
  EXPECT_EQ(lines[6], "<font size=\"9\"> 11:00 - 11:10 </font>");
  EXPECT_EQ(lines[7], "Review Carlson Project<br>");
  EXPECT_EQ(lines[8], "<font size=\"9\"> 18:00 - 19:00 </font>");
  c.fontPointSize = 6;
  c.showEndTime = false;
  lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[6], "<font size=\"1\"> 11:00 - </font>");
  EXPECT_EQ(lines[11], "<font size=\"1\"> 10:00 - </font>");
  EXPECT_EQ(PreviewFontSize(7), "6");
  EXPECT_EQ(PreviewFontSize(6), "1");
  EXPECT_EQ(PreviewFontSize(0), "1");
}

TEST(OptionsPreview, ShadowWrapsEveryLineButTheParagraphAndGap) {
  PreviewChoices c;  // the defaults: most boxes on
  c.showShadow = true;
  c.showCompleted = true;
  const Lines lines = BuildPreviewMarkup(c, PreviewWords{});
  for (const std::string& line : lines) {
    if (line == "<P align=\"left\">" || line == "<BR>") continue;
    EXPECT_EQ(line.rfind("<SHAD>", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 7), "</SHAD>") << line;
  }
}

TEST(OptionsPreview, TheSortListMovesTheHighPriorityTask) {
  PreviewChoices c = Plain();
  c.sortTasks = 1;
  c.showImpIcons = true;
  Lines lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[12], "<IMG src=\"idx:2\" align=\"middle\"> Review Build Document<br>");
  EXPECT_EQ(lines[13], "<IMG src=\"idx:4\" align=\"middle\">Weekly Backup<br>");
  c.sortTasks = 0;
  lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[12], "<IMG src=\"idx:4\" align=\"middle\">Weekly Backup<br>");
  EXPECT_EQ(lines[13], "<IMG src=\"idx:2\" align=\"top\"> Review Build Document<br>");
  c.showImpIcons = false;
  c.showCompleted = true;
  lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[12], "<s>Car Revision</s><br>");
  EXPECT_EQ(lines[14], "Review Build Document<br>");
}

TEST(OptionsPreview, TaskDatesAndColours) {
  PreviewChoices c = Plain();
  c.showTaskDate = true;
  c.taskDateColor = true;
  c.colorAllTask = true;
  c.pastColor = RGB(0x12, 0x34, 0x56);
  c.futureColor = RGB(0xAB, 0xCD, 0xEF);
  c.fontPointSize = 8;
  Lines lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[12],
            "<font Color=\"#123456\" size=\"7\">15/01/2004 - </font>"
            "<font Color=\"#123456\">Weekly Backup</font><br>");
  EXPECT_EQ(lines[13],
            "<font Color=\"#ABCDEF\" size=\"7\">15/10/2005 - </font>"
            "<font Color=\"#ABCDEF\">Laura's Gift</font><br>");
  EXPECT_EQ(lines[14],
            "<font Color=\"#ABCDEF\" size=\"7\">22/6/2005 - </font>"
            "<font Color=\"#ABCDEF\">Prepare Convention</font><br>");
  // Without the date colour neither the date nor the text is coloured.
  c.taskDateColor = false;
  lines = BuildPreviewMarkup(c, PreviewWords{});
  EXPECT_EQ(lines[12], "<font size=\"7\">15/01/2004</font> - Weekly Backup<br>");
  EXPECT_EQ(lines[14], "<font size=\"7\">22/6/2005</font> - Prepare Convention<br>");
}

TEST(OptionsPreview, TranslatedWordsAndOneSectionOnly) {
  PreviewWords words;
  words.calendar = "Kalender";
  words.tasks = "Aufgaben";
  words.allDay = "Ganztägig";
  PreviewChoices c = Plain();
  c.showStartTime = true;
  c.showAllDay = true;
  Lines lines = BuildPreviewMarkup(c, words);
  EXPECT_EQ(lines[1], "<IMG src=\"idx:1\" align=\"top\"> <U><B>Kalender</B></U><BR>");
  EXPECT_EQ(lines[3], "<font size=\"7\"> Ganztägig - </font>");
  c.showCalendar = false;
  lines = BuildPreviewMarkup(c, words);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "<BR>");
  EXPECT_EQ(lines[2], "<IMG src=\"idx:0\" align=\"top\"> <U><B>Aufgaben</B></U><BR>");
  c.showCalendar = true;
  c.showTasks = false;
  EXPECT_EQ(BuildPreviewMarkup(c, words).back(), "Call Grandma<br>");
}

}  // namespace
}  // namespace lumivane
