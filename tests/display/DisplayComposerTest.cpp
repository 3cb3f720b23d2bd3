#include <gtest/gtest.h>

#include "display/DisplayComposer.h"
#include "outlook/OutlookContract.h"
#include "support/FormatFixtures.h"
#include "support/WorkedExamples.h"

namespace lumivane {
namespace {

// Tuesday 8 December 2026.
const AutomationDate kToday = EncodeDate(2026, 12, 8);

AutomationDate At(int day, int hour, int minute) {
  return EncodeDateTime(2026, 12, day, hour, minute);
}

AppointmentEntry Appointment(AutomationDate start, AutomationDate end, std::string subject,
                             std::string location = "", bool allDay = false) {
  AppointmentEntry e;
  e.Start = start;
  e.End = end;
  e.AllDayEvent = allDay;
  e.Subject = std::move(subject);
  e.Location = std::move(location);
  e.EntryID = "00AB";
  e.DisplayDate = start < kToday && DateOf(end) != DateOf(start) ? kToday : start;
  return e;
}

TaskEntry Task(std::string subject, int importance, AutomationDate date = NoDate,
               bool complete = false) {
  TaskEntry t;
  t.Subject = std::move(subject);
  t.EntryID = "00CD";
  t.Importance = importance;
  t.DueDate = date;
  t.TaskDate = date;
  t.Complete = complete;
  return t;
}

// The settings of the first worked example.
Settings FirstExample() {
  Settings s;
  s.Align = 0;
  s.ShowShadow = false;
  s.Indent = 2;
  s.ShowEndTime = false;
  s.ShowLocation = true;
  s.HTMLSubject = false;
  s.ShowTodayTasks = false;
  s.ShowTaskDate = false;
  s.ShowTaskDateColor = false;
  s.ShowImpIcons = true;
  return s;
}

struct Fixture {
  Settings settings = FirstExample();
  TLanguage language;
  FormatSettings formats = test::GermanFormats();
  AutomationDate now = At(8, 9, 0);
  std::vector<AppointmentEntry> appointments;
  std::vector<TaskEntry> tasks;

  std::vector<std::string> Compose(int points = 8) const {
    const ComposeInputs in{settings, language, formats, now, points};
    std::vector<std::string> lines;
    const AutomationDate reference = settings.ShowPreciseCalendar ? now : DateOf(now);
    ComposeDisplay(
        in,
        [&](const AppointmentConsumer& take) {
          for (const auto& a : appointments) take(a, reference);
        },
        [&](const TaskConsumer& take) {
          for (const auto& t : tasks) take(t);
        },
        [&](std::string line) { lines.push_back(std::move(line)); });
    return lines;
  }
};

TEST(DisplayComposer, FirstWorkedExampleLineForLine) {
  Fixture f;
  f.appointments.push_back(Appointment(At(8, 9, 30), At(8, 10, 0), "Team <sync>", "Room 4"));
  f.tasks.push_back(Task("Call Bob", 2));
  EXPECT_EQ(f.Compose(), test::FirstWorkedExampleLines());
}

TEST(DisplayComposer, SecondWorkedExampleLines) {
  Fixture f;
  Settings& s = f.settings;
  s.ShowShadow = true;
  s.Align = 1;
  s.Indent = 1;
  s.ShowCurrentTaskIndicator = true;
  s.ShowLocation = false;
  s.ShowCompletedTaks = true;
  s.ShowTaskDate = true;
  s.ShowTaskDateColor = true;
  s.ColorAllTask = true;
  s.TaskDueColor = RGB(255, 0, 0);
  f.now = At(8, 14, 30);
  f.appointments.push_back(Appointment(At(8, 14, 0), At(8, 15, 0), "Review"));
  f.tasks.push_back(Task("Pay rent", 1, EncodeDate(2026, 12, 5), true));
  const std::vector<std::string> lines = f.Compose();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3],
            "<SHAD><IMG src=\"idx:5\" align=\"middle\"> <font size=\"7\">14:00 - </font>Review "
            "<BR></SHAD>");
  EXPECT_EQ(
      lines[6],
      "<SHAD><IMG src=\"idx:4\" align=\"middle\"> <s><font color=\"#FF0000\" "
      "Size=\"7\">05.12.2026 - </Font><font color=\"#FF0000\">Pay rent</s></font></SHAD><br>");
}

TEST(DisplayComposer, EmptyCalendarShownOrLeftOut) {
  Fixture f;
  f.tasks.push_back(Task("Call Bob", 1));
  std::vector<std::string> lines = f.Compose();
  EXPECT_EQ(lines[2], "  <i>No appointments found</i><br>");
  f.settings.DontDisplayCalIfEmpty = true;
  lines = f.Compose();
  EXPECT_EQ(lines[0], "<P align=\"left\">");
  EXPECT_EQ(lines[1], "<br></a>");
  f.tasks.clear();
  f.settings.DontDisplayTasksIfEmpty = true;
  EXPECT_EQ(f.Compose(), (std::vector<std::string>{"<P align=\"left\">", "<br>"}));
}

TEST(DisplayComposer, SubjectCuttingAndEscapingOrder) {
  Fixture f;
  f.settings.MaxSubjectSize = 10;
  f.settings.HTMLSubject = true;
  f.appointments.push_back(Appointment(At(8, 9, 0), At(8, 9, 30), "Quarterly planning"));
  EXPECT_EQ(f.Compose()[3], "  <font size=\"7\">09:00 - </font>Quarterly ...<BR>");

  // Escaped first, then cut: the cut counts the entity's characters.
  f.settings.HTMLSubject = false;
  f.settings.MaxSubjectSize = 3;
  f.appointments = {Appointment(At(8, 9, 0), At(8, 9, 30), "a<b", "x<yz")};
  // The location is cut first, then escaped.
  EXPECT_EQ(f.Compose()[3], "  <font size=\"7\">09:00 - </font>a&l... (x&lt;y...) <BR>");

  f.settings.OpenOutlookItem = true;
  f.settings.MaxSubjectSize = 0;
  f.settings.ShowLocation = false;
  EXPECT_EQ(f.Compose()[3],
            "  <font size=\"7\">09:00 - </font><a href=\"outlook:00AB\">a&lt;b</a><BR>");
}

TEST(DisplayComposer, TaskWithoutDateKeepsTheClosingFontTag) {
  Fixture f;
  f.settings.ShowTaskDate = true;
  f.settings.ShowTaskDateColor = true;
  f.settings.ColorAllTask = true;
  f.settings.ShowImpIcons = false;
  f.tasks.push_back(Task("Someday", 1));
  EXPECT_EQ(f.Compose()[5], "Someday</font><br>");

  // Without the date shown, the colour still opens for a dated task.
  f.settings.ShowTaskDate = false;
  f.tasks = {Task("Tomorrow's", 0, EncodeDate(2026, 12, 9))};
  EXPECT_EQ(f.Compose()[5], "<font color=\"#A4FFA4\">Tomorrow's</font><br>");
}

TEST(DisplayComposer, TaskDateColourAndPlainDatePrefix) {
  Fixture f;
  f.settings.ShowTaskDate = true;
  f.settings.ShowImpIcons = false;
  f.tasks = {Task("Today", 1, At(8, 0, 0)), Task("Timed", 1, At(8, 17, 30))};
  std::vector<std::string> lines = f.Compose();
  EXPECT_EQ(lines[5], "<font Size=\"7\">08.12.2026 - </Font>Today<br>");
  EXPECT_EQ(lines[6], "<font Size=\"7\">08.12.2026 17:30:00 - </Font>Timed<br>");

  const Settings& s = f.settings;
  const ComposeInputs in{s, f.language, f.formats, f.now, 8};
  const DisplayComposer composer(in);
  EXPECT_EQ(composer.TaskDateColor(EncodeDate(2026, 12, 7)), s.TaskDueColor);
  EXPECT_EQ(composer.TaskDateColor(At(8, 23, 0)), s.TaskDueTodayColor);
  EXPECT_EQ(composer.TaskDateColor(EncodeDate(2026, 12, 9)), s.TaskFutureColor);
}

TEST(DisplayComposer, FontSizeText) {
  EXPECT_EQ(FontSizeTextFor(10), "9");
  EXPECT_EQ(FontSizeTextFor(7), "6");
  EXPECT_EQ(FontSizeTextFor(6), "1");
  EXPECT_EQ(FontSizeTextFor(2), "1");
}

TEST(DisplayComposer, CurrentAppointmentImage) {
  Fixture f;
  f.settings.ShowCurrentTaskIndicator = true;
  f.settings.ShowCalendarTime = false;
  f.settings.Indent = -1;
  f.now = At(8, 10, 0) + 0.5 / 1440;  // 10:00:30, half a minute after the end
  f.appointments = {Appointment(At(8, 9, 0), At(8, 10, 0), "Just ended"),
                    Appointment(At(8, 11, 0), At(8, 12, 0), "Later")};
  const std::vector<std::string> lines = f.Compose();
  EXPECT_EQ(lines[3], "<IMG src=\"idx:5\" align=\"middle\"> Just ended<BR>");
  EXPECT_EQ(lines[4], "<IMG src=\"idx:4\" align=\"middle\"> Later<BR>");
}

TEST(DisplayComposer, AllDayAndMultiDayTimeTexts) {
  Fixture f;
  f.settings.Indent = -1;
  f.settings.ShowEndTime = true;
  f.appointments = {
      Appointment(EncodeDate(2026, 12, 8), EncodeDate(2026, 12, 9), "Holiday", "", true),
      Appointment(EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 10), "Conference", "", true),
      Appointment(At(8, 23, 0), At(9, 1, 0), "Night shift"),
      Appointment(At(8, 9, 30), At(8, 10, 0), "Stand-up"),
  };
  std::vector<std::string> lines = f.Compose();
  EXPECT_EQ(lines[3], "<font size=\"7\">All Day - </font>Holiday<BR>");
  EXPECT_EQ(lines[4], "<font size=\"7\">Multi Day - </font>Conference<BR>");
  EXPECT_EQ(lines[5], "<font size=\"7\">Multi Day - </font>Night shift<BR>");
  EXPECT_EQ(lines[6],
            "<font size=\"7\">09:30 - </font><font size=\"7\">10:00 - </font>Stand-up<BR>");

  f.settings.ShowAllDay = false;
  lines = f.Compose();
  EXPECT_EQ(lines[3], "Holiday<BR>");
  EXPECT_EQ(lines[5], "Night shift<BR>");
}

TEST(DisplayComposer, DayHeadingsShortAndLong) {
  Fixture f;
  f.settings.Indent = -1;
  f.settings.ShowCalendarTime = false;
  f.settings.CalendarDaysToDisplay = 10;
  f.appointments = {
      Appointment(At(8, 9, 0), At(8, 10, 0), "A"), Appointment(At(8, 11, 0), At(8, 12, 0), "B"),
      Appointment(At(9, 9, 0), At(9, 10, 0), "C"), Appointment(At(11, 9, 0), At(11, 10, 0), "D"),
      Appointment(At(15, 9, 0), At(15, 10, 0), "E")};
  std::vector<std::string> lines = f.Compose();
  EXPECT_EQ(lines[2], "<b>Today </b><BR>");
  EXPECT_EQ(lines[3], "A<BR>");
  EXPECT_EQ(lines[4], "B<BR>");
  EXPECT_EQ(lines[5], "<b>Tomorrow </b><BR>");
  EXPECT_EQ(lines[7], "<b>Freitag </b><BR>");
  // Seven days ahead with a window above six days: the long form, "d/mmm" with
  // the locale's date separator.
  EXPECT_EQ(lines[9], "<b>Dienstag (15.Dez.) </b><BR>");

  f.settings.UseTodayTomorrow = false;
  f.settings.AlwaysShowCalDate = true;
  lines = f.Compose();
  EXPECT_EQ(lines[2], "<b>Dienstag (8.Dez.) </b><BR>");
}

TEST(DisplayComposer, AnErrorInTheTaskWalkLeavesTheCalendarLinesAlreadyAdded) {
  Fixture f;
  Settings& s = f.settings;
  const ComposeInputs in{s, f.language, f.formats, f.now, 8};
  std::vector<std::string> lines;
  EXPECT_THROW(ComposeDisplay(
                   in, [](const AppointmentConsumer&) {},
                   [](const TaskConsumer&) { throw std::runtime_error("not a task"); },
                   [&](std::string line) { lines.push_back(std::move(line)); }),
               std::runtime_error);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "  <i>No appointments found</i><br>");
}

}  // namespace
}  // namespace lumivane
