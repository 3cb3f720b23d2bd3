// The two queries against the iCalendar server over the fixture files, with
// a fixed clock (Thursday 5 March 2026) and the test time zone. Every entry is
// written as "subject MM-DD HH:MM" of the day it is listed under, so that each
// expectation reads as the agenda would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "i18n/DateTexts.h"
#include "outlook/CalendarQuery.h"
#include "outlook/TaskQuery.h"
#include "outlook/ical/IcalServer.h"
#include "support/FormatFixtures.h"

namespace lumivane {
namespace {

using Lines = std::vector<std::string>;

const AutomationDate kToday = EncodeDate(2026, 3, 5);  // a Thursday
const AutomationDate kAfternoon = EncodeDateTime(2026, 3, 5, 14, 7, 9);

class NoDesktop final : public DesktopOpener {
 public:
  LaunchResult Launch(DesktopProgram, const std::string&) override {
    return {LaunchStatus::NoDefaultProgram, {}};
  }
};

std::string When(AutomationDate date) {
  if (date == NoDate) return "none";
  const CivilDate d = DecodeDate(date);
  const TimeOfDay t = DecodeTime(date);
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d", d.month, d.day, t.hour, t.minute);
  return text;
}

// One server over one fixture file, under the given regional formats: the
// filter dates are written and read back in them.
class StoreFixture {
 public:
  StoreFixture(const std::string& file, const FormatSettings& fs) : fs_(fs) {
    server_ =
        MakeIcalServerFactory(std::string(LUMIVANE_TEST_DATA) + "/queries/" + file, fs, desktop_)();
    ns_ = server_->GetNamespace("MAPI");
  }
  NameSpace& Ns() { return *ns_; }
  const FormatSettings& Fs() const { return fs_; }

 private:
  FormatSettings fs_;
  NoDesktop desktop_;
  std::unique_ptr<_Application> server_;
  std::shared_ptr<NameSpace> ns_;
};

struct FormatCase {
  const char* name;
  FormatSettings fs;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.name;
}

class CalendarOnStoreTest : public ::testing::TestWithParam<FormatCase> {
 protected:
  CalendarOnStoreTest() : store_("calendar.ics", GetParam().fs) {}

  // The agenda lines, checking that every entry comes with the same
  // reference moment.
  Lines Agenda(const CalendarQueryOptions& options, AutomationDate now) {
    Lines lines;
    CalendarQuery(store_.Ns(), options, store_.Fs(), now,
                  [&](const AppointmentEntry& e, AutomationDate reference) {
                    EXPECT_EQ(reference, options.ShowPreciseCalendar ? now : DateOf(now));
                    lines.push_back(e.Subject + " " + When(e.DisplayDate));
                    entries_.push_back(e);
                  });
    return lines;
  }

  // The subjects a plain Find/FindNext walk returns for a filter text.
  Lines Found(const std::string& filter) {
    auto items = store_.Ns().GetDefaultFolder(kFolderCalendar)->Items();
    items->Sort("[Start]", false);
    items->SetIncludeRecurrences(true);
    Lines subjects;
    for (auto item = items->Find(filter); item; item = items->FindNext()) {
      subjects.push_back(item->QueryAppointmentItem()->Subject());
    }
    return subjects;
  }

  StoreFixture store_;
  std::vector<AppointmentEntry> entries_;
};

TEST_P(CalendarOnStoreTest, WindowListsWhatStartsOrEndsInsideIt) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 5;
  options.OpenOutlookItem = true;  // for the entry IDs
  // Those that began before today and end on another day are listed under
  // today, in start order all the same.
  EXPECT_EQ(
      Agenda(options, kAfternoon),
      (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
             "Standup 03-05 09:00", "R\xC3\xA9union 03-06 11:00", "Homework club 03-06 15:00",
             "Late drinks 03-06 22:00", "Saturday market 03-07 10:00", "Ski week 03-08 00:00",
             "Sunday brunch 03-08 11:00", "Weekly review 03-09 09:00", "Last night 03-10 23:00"}));
  const AppointmentEntry& standup = entries_.at(3);
  EXPECT_EQ(standup.Start, EncodeDateTime(2026, 3, 5, 9, 0));
  EXPECT_EQ(standup.End, EncodeDateTime(2026, 3, 5, 10, 0));
  EXPECT_FALSE(standup.AllDayEvent);
  EXPECT_EQ(standup.Location, "Room 4");
  EXPECT_FALSE(standup.EntryID.empty());
  const AppointmentEntry& holiday = entries_.at(2);
  EXPECT_TRUE(holiday.AllDayEvent);
  EXPECT_EQ(holiday.End, kToday + 1);
}

TEST_P(CalendarOnStoreTest, NoDaysToDisplayFindsNothing) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 0;
  EXPECT_EQ(Agenda(options, kAfternoon), Lines{});
  options.ShowPreciseCalendar = true;
  EXPECT_EQ(Agenda(options, kAfternoon), Lines{});
}

TEST_P(CalendarOnStoreTest, WeeklySeriesIsListedOncePerOccurrence) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 14;
  options.CalendarCategories = "Nothing of this name";
  options.ShowCalCategories = false;  // every item passes
  options.OpenOutlookItem = true;     // for the entry IDs
  Lines reviews;
  std::vector<std::string> ids;
  for (const std::string& line : Agenda(options, kAfternoon)) {
    if (line.rfind("Weekly review", 0) == 0) reviews.push_back(line);
  }
  for (const AppointmentEntry& e : entries_) {
    if (e.Subject == "Weekly review") ids.push_back(e.EntryID);
  }
  EXPECT_EQ(reviews, (Lines{"Weekly review 03-09 09:00", "Weekly review 03-16 09:00"}));
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_EQ(ids[0], ids[1]);
}

TEST_P(CalendarOnStoreTest, PreciseCalendarDropsWhatEndedEarlierToday) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 1;
  options.ShowPreciseCalendar = true;
  // At 10:00:30 the standup that ended at 10:00 is still on, at 10:01 it is
  // gone; the all-day appointment of today stays until midnight. The night
  // shift began yesterday, so the minute test does not apply to it.
  EXPECT_EQ(Agenda(options, EncodeDateTime(2026, 3, 5, 10, 0, 30)),
            (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
                   "Standup 03-05 09:00", "R\xC3\xA9union 03-06 11:00", "Homework club 03-06 15:00",
                   "Late drinks 03-06 22:00"}));
  EXPECT_EQ(Agenda(options, EncodeDateTime(2026, 3, 5, 10, 1)),
            (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
                   "R\xC3\xA9union 03-06 11:00", "Homework club 03-06 15:00",
                   "Late drinks 03-06 22:00"}));
  EXPECT_EQ(Agenda(options, EncodeDateTime(2026, 3, 5, 23, 59, 59)).at(2),
            "Holiday today 03-05 00:00");
}

TEST_P(CalendarOnStoreTest, PreciseCalendarKeepsWhatEndsAfterTheWindow) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 5;
  options.ShowPreciseCalendar = true;
  const AutomationDate now = EncodeDateTime(2026, 3, 5, 10, 1);
  const CalendarWindow window = CalendarWindowFor(options, now);
  const FormatSettings& fs = store_.Fs();
  const std::string t0 = FilterDateText(window.today, FilterBound::DayStart, fs);
  const std::string e1 = FilterDateText(window.endDay, FilterBound::DayEnd, fs);
  // The condition without its widening: the ski week (into the next week)
  // and the last night (past midnight of the last day) are missing from it.
  const std::string narrow = "((([End] >= \"" + t0 + "\") and  ([Start] >= \"" + t0 +
                             "\")) or ([End]>\"" + t0 + "\")) And ([End] <= \"" + e1 + "\")";
  const Lines narrowFound = Found(narrow);
  EXPECT_EQ(std::count(narrowFound.begin(), narrowFound.end(), "Late drinks"), 1);
  EXPECT_EQ(std::count(narrowFound.begin(), narrowFound.end(), "Ski week"), 0);
  EXPECT_EQ(std::count(narrowFound.begin(), narrowFound.end(), "Last night"), 0);

  EXPECT_EQ(
      Agenda(options, now),
      (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
             "R\xC3\xA9union 03-06 11:00", "Homework club 03-06 15:00", "Late drinks 03-06 22:00",
             "Saturday market 03-07 10:00", "Ski week 03-08 00:00", "Sunday brunch 03-08 11:00",
             "Weekly review 03-09 09:00", "Last night 03-10 23:00"}));
}

TEST_P(CalendarOnStoreTest, WeekendRuleLooksAtTheStartOnly) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 5;
  options.CalIgnoreWeekends = true;
  // Friday 22:00 into Saturday stays; Saturday and Sunday starts go, the ski
  // week too, as it starts on a Sunday.
  EXPECT_EQ(
      Agenda(options, kAfternoon),
      (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
             "Standup 03-05 09:00", "R\xC3\xA9union 03-06 11:00", "Homework club 03-06 15:00",
             "Late drinks 03-06 22:00", "Weekly review 03-09 09:00", "Last night 03-10 23:00"}));
}

TEST_P(CalendarOnStoreTest, CategoryListsMatchPiecesInsideTheCategories) {
  CalendarQueryOptions options;
  options.CalendarDaysToDisplay = 5;
  // "work" is found in Work and in "Homework, Kids"; the empty pieces match nothing.
  options.CalendarCategories = "work;;";
  EXPECT_EQ(Agenda(options, kAfternoon),
            (Lines{"Standup 03-05 09:00", "Homework club 03-06 15:00"}));
  options.ShowCalCategories = false;
  EXPECT_EQ(
      Agenda(options, kAfternoon),
      (Lines{"Conference 03-05 00:00", "Night shift 03-05 00:00", "Holiday today 03-05 00:00",
             "R\xC3\xA9union 03-06 11:00", "Late drinks 03-06 22:00", "Saturday market 03-07 10:00",
             "Ski week 03-08 00:00", "Sunday brunch 03-08 11:00", "Weekly review 03-09 09:00",
             "Last night 03-10 23:00"}));
  // The category is RÉUNION: the accented letter must be written in its case.
  options.ShowCalCategories = true;
  options.CalendarCategories = "r\xC3\xA9union";
  EXPECT_EQ(Agenda(options, kAfternoon), Lines{});
  options.CalendarCategories = "r\xC3\x89union";
  EXPECT_EQ(Agenda(options, kAfternoon), Lines{"R\xC3\xA9union 03-06 11:00"});
}

INSTANTIATE_TEST_SUITE_P(Formats, CalendarOnStoreTest,
                         ::testing::Values(FormatCase{"UsLike", test::UsFormats()},
                                           FormatCase{"GermanLike", test::GermanFormats()}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                           return std::string(info.param.name);
                         });

class TasksOnStoreTest : public ::testing::Test {
 protected:
  TasksOnStoreTest() : store_("tasks.ics", test::UsFormats()) {}

  // "subject due-date" per task, and the values of the last walk kept.
  Lines Tasks(const TaskQueryOptions& options) {
    entries_.clear();
    Lines lines;
    TaskQuery(store_.Ns(), options, kAfternoon, [&](const TaskEntry& e) {
      lines.push_back(e.Subject + " " + When(e.DueDate));
      entries_.push_back(e);
    });
    return lines;
  }

  // Due date ascending: direction 1 clears the descending flag.
  static TaskQueryOptions ByDueDate() {
    TaskQueryOptions options;
    options.SortTasks = 0;
    options.TaskSortDirection = 1;
    options.ShowTodayTasks = false;
    return options;
  }

  StoreFixture store_;
  std::vector<TaskEntry> entries_;
};

TEST_F(TasksOnStoreTest, CompletedTasksOnlyWhenAsked) {
  TaskQueryOptions options = ByDueDate();
  EXPECT_EQ(Tasks(options),
            (Lines{"Pay rent 03-04 00:00", "Report 03-05 00:00", "Call Bob 03-06 00:00",
                   "Plan trip 03-20 00:00", "Someday none"}));
  options.ShowCompletedTaks = true;
  EXPECT_EQ(Tasks(options),
            (Lines{"Filed taxes 03-01 00:00", "Pay rent 03-04 00:00", "Report 03-05 00:00",
                   "Call Bob 03-06 00:00", "Plan trip 03-20 00:00", "Someday none"}));
  EXPECT_TRUE(entries_.at(0).Complete);
  EXPECT_FALSE(entries_.at(1).Complete);
}

TEST_F(TasksOnStoreTest, TodayOnlyKeepsWhatIsDue) {
  TaskQueryOptions options = ByDueDate();
  options.ShowTodayTasks = true;
  options.ShowTodayTasksEmpty = true;
  EXPECT_EQ(Tasks(options), (Lines{"Pay rent 03-04 00:00", "Report 03-05 00:00", "Someday none"}));
  options.ShowTodayTasksEmpty = false;
  EXPECT_EQ(Tasks(options), (Lines{"Pay rent 03-04 00:00", "Report 03-05 00:00"}));
}

TEST_F(TasksOnStoreTest, TodayOnlyJudgesTheDueDateWhenTheStartDateIsShown) {
  TaskQueryOptions options = ByDueDate();
  options.ShowTodayTasks = true;
  options.TaskDateType = 1;
  // Call Bob started yesterday but is due tomorrow: not listed. Report is due
  // today and starts next week: listed, with its start date as task date.
  EXPECT_EQ(Tasks(options), (Lines{"Pay rent 03-04 00:00", "Report 03-05 00:00", "Someday none"}));
  ASSERT_EQ(entries_.size(), 3u);
  EXPECT_EQ(entries_[0].TaskDate, NoDate);
  EXPECT_EQ(entries_[1].TaskDate, EncodeDate(2026, 3, 10));
  EXPECT_EQ(entries_[2].TaskDate, NoDate);
}

TEST_F(TasksOnStoreTest, PriorityWithFirstDirectionComesHighestFirst) {
  TaskQueryOptions options = ByDueDate();
  options.SortTasks = 1;
  options.TaskSortDirection = 0;
  const Lines lines = Tasks(options);
  ASSERT_EQ(lines.size(), 5u);
  std::vector<int> importance;
  for (const TaskEntry& e : entries_) importance.push_back(e.Importance);
  EXPECT_EQ(importance, (std::vector<int>{kImportanceHigh, kImportanceNormal, kImportanceNormal,
                                          kImportanceNormal, kImportanceLow}));
  EXPECT_EQ(lines.front(), "Pay rent 03-04 00:00");
  EXPECT_EQ(lines.back(), "Someday none");
}

TEST_F(TasksOnStoreTest, CategoryListWithSubstringMatches) {
  TaskQueryOptions options = ByDueDate();
  options.TasksCategories = "Work";
  options.ShowTaskCategories = true;
  EXPECT_EQ(Tasks(options), (Lines{"Report 03-05 00:00", "Call Bob 03-06 00:00"}));
  options.ShowTaskCategories = false;
  EXPECT_EQ(Tasks(options),
            (Lines{"Pay rent 03-04 00:00", "Plan trip 03-20 00:00", "Someday none"}));
  options.TasksCategories = "";
  EXPECT_EQ(Tasks(options).size(), 5u);
}

}  // namespace
}  // namespace lumivane
