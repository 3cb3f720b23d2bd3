#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "base/AutomationDate.h"
#include "ical/IcalTestSupport.h"
#include "outlook/ical/IcalServer.h"
#include "outlook/ical/SampleStore.h"

namespace lumivane {
namespace {

class SampleStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }

  // The calendar walk of six days from now's date, as the calendar query sends it.
  std::vector<test::AppointmentRow> Week(AutomationDate now) {
    const auto day = [](AutomationDate d) {
      const CivilDate c = DecodeDate(d);
      char text[16];
      std::snprintf(text, sizeof text, "%02d/%02d/%04d", c.month, c.day, c.year);
      return std::string(text);
    };
    const std::string t0 = day(now) + " 00:00";
    const std::string e1 = day(now + 5) + " 23:59";
    auto items = Server()->GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
    items->Sort("[Start]", false);
    items->SetIncludeRecurrences(true);
    return test::WalkAppointments(*items, "(([Start] >= \"" + t0 + "\") And ([Start] <= \"" + e1 +
                                              "\"))or ([End]>\"" + t0 + "\") And ([End] <= \"" +
                                              e1 + "\")");
  }

  std::unique_ptr<_Application> Server() {
    return MakeIcalServerFactory(store_.Root(), test::UsFormats(), opener_)();
  }

  test::TempStore store_;
  test::RecordingOpener opener_;
};

TEST_F(SampleStoreTest, AWeekAroundNowWithEveryKindOfAppointment) {
  const AutomationDate now = EncodeDateTime(2026, 12, 8, 10, 10);  // a Tuesday
  const auto paths = WriteSampleStore(store_.Root(), now);
  ASSERT_EQ(paths.size(), 2u);
  const auto week = Week(now);

  const auto has = [&](auto predicate) { return std::any_of(week.begin(), week.end(), predicate); };
  EXPECT_TRUE(has([&](const auto& a) { return a.start <= now && now < a.end; })) << "running now";
  EXPECT_TRUE(has([](const auto& a) { return a.allDay && a.end - a.start == 1; }));
  EXPECT_TRUE(has([](const auto& a) { return a.allDay && a.end - a.start > 1; }));
  EXPECT_TRUE(has([](const auto& a) {
    return !a.allDay && DateOf(a.start) != DateOf(a.end) && a.end - a.start < 1;
  })) << "over midnight";
  EXPECT_TRUE(has([](const auto& a) { return DayOfWeek(a.start) == 6; })) << "on Saturday";

  // The stand-up: today as usual, moved tomorrow, skipped the day after.
  std::vector<AutomationDate> standups;
  for (const auto& a : week) {
    if (a.subject == "Team stand-up") standups.push_back(a.start);
  }
  EXPECT_THAT(standups, ::testing::Contains(EncodeDateTime(2026, 12, 8, 9, 15)));
  EXPECT_THAT(standups, ::testing::Contains(EncodeDateTime(2026, 12, 9, 10, 30)));
  for (AutomationDate start : standups) EXPECT_NE(DateOf(start), EncodeDate(2026, 12, 10));
  EXPECT_THAT(standups, ::testing::Contains(EncodeDateTime(2026, 12, 11, 9, 15)));
}

TEST_F(SampleStoreTest, TasksOfEveryKind) {
  const AutomationDate now = EncodeDateTime(2026, 12, 12, 18, 0);  // a Saturday
  WriteSampleStore(store_.Root(), now);
  WriteSampleStore(store_.Root(), now);  // a second run replaces its own files
  auto items = Server()->GetNamespace("MAPI")->GetDefaultFolder(kFolderTasks)->Items();
  std::set<int> importances;
  int complete = 0, undated = 0, overdue = 0, dueToday = 0, later = 0, count = 0;
  for (auto item = items->Find("([Complete] = True or [Complete] = False)"); item;
       item = items->FindNext()) {
    const _TaskItem& task = ToTaskItem(*item);
    ++count;
    importances.insert(task.Importance());
    complete += task.Complete();
    if (task.DueDate() == NoDate) {
      ++undated;
    } else if (task.DueDate() < DateOf(now)) {
      overdue += !task.Complete();
    } else if (task.DueDate() == DateOf(now)) {
      ++dueToday;
    } else {
      ++later;
    }
  }
  EXPECT_EQ(count, 7);
  EXPECT_EQ(importances, (std::set<int>{kImportanceLow, kImportanceNormal, kImportanceHigh}));
  EXPECT_EQ(complete, 1);
  EXPECT_EQ(undated, 1);
  EXPECT_GE(overdue, 1);
  EXPECT_EQ(dueToday, 1);
  EXPECT_GE(later, 1);
  // On a Saturday the weekend appointment is the coming one.
  const auto week = Week(now);
  EXPECT_FALSE(std::any_of(week.begin(), week.end(),
                           [](const auto& a) { return a.subject == "Farmers' market"; }));
}

TEST_F(SampleStoreTest, AFolderWithOtherCalendarFilesIsRefusedUntouched) {
  const AutomationDate now = EncodeDate(2026, 12, 8);
  store_.Write("notes.txt", "not a calendar");
  EXPECT_EQ(WriteSampleStore(store_.Root(), now).size(), 2u);  // other files do not count
  store_.Write("work.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
  store_.Write("personal/one.ics", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
  EXPECT_EQ(CalendarFilesBesideSample(store_.Root()),
            (std::vector<std::string>{"personal/", "work.ics"}));
  try {
    WriteSampleStore(store_.Root(), now);
    FAIL() << "written into a real calendar";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("work.ics"), std::string::npos);
  }
}

TEST_F(SampleStoreTest, AFolderThatCannotBeMadeIsAnError) {
  store_.Write("file", "in the way");
  EXPECT_THROW(WriteSampleStore(store_.Path("file/store"), EncodeDate(2026, 12, 8)),
               std::runtime_error);
}

}  // namespace
}  // namespace lumivane
