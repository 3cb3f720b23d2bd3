#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/AutomationDate.h"
#include "ical/IcalTestSupport.h"
#include "outlook/AutomationError.h"
#include "outlook/TOutlookApplication.h"
#include "outlook/ical/IcalServer.h"

namespace lumivane {
namespace {

using test::AppointmentRow;
using test::Subjects;
using test::WalkAppointments;
using test::WalkTaskSubjects;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

// The calendar query's two texts for today 27 March 2026 and five days more:
// the window runs over the change to summer time on 29 March.
const std::string kFirstForm =
    "(([Start] >= \"03/27/2026 00:00\") And ([Start] <= \"04/01/2026 23:59\"))or "
    "([End]>\"03/27/2026 00:00\") And ([End] <= \"04/01/2026 23:59\")";
const std::string kPreciseForm =
    "(((([End] >= \"03/27/2026 00:00\") and  ([Start] >= \"03/27/2026 00:00\")) or "
    "([End]>\"03/27/2026 00:00\")) And ([End] <= \"04/01/2026 23:59\")) or "
    "(([Start] >= \"03/27/2026 00:00\") And ([Start] <= \"04/01/2026 23:59\"))";
const std::string kOpenTasks = "([Complete] = False)";
const std::string kAllTasks = "([Complete] = True or [Complete] = False)";

AutomationDate At(int month, int day, int hour = 0, int minute = 0) {
  return EncodeDateTime(2026, month, day, hour, minute);
}

// What must come back for the window, by hand, in start order.
const std::vector<AppointmentRow> kWindow = {
    {At(3, 20), At(3, 28), true, "Company retreat"},
    {At(3, 26, 22), At(3, 27, 1), false, "Overnight into today"},
    {At(3, 27, 8), At(3, 27, 9), false, "Breakfast meeting"},
    {At(3, 27, 14), At(3, 27, 14, 30), false, "Call New York"},
    {At(3, 28, 14), At(3, 28, 14, 30), false, "Call New York"},
    {At(3, 29, 15), At(3, 29, 15, 30), false, "Call New York"},
    {At(3, 30), At(4, 7), true, "Easter holiday"},
    {At(3, 30, 15), At(3, 30, 15, 30), false, "Call New York"},
    {At(3, 31, 10), At(3, 31, 11), false, "Weekly review (moved)"},
    {At(3, 31, 15), At(3, 31, 15, 30), false, "Call New York"},
    {At(4, 1, 15), At(4, 1, 15, 30), false, "Call New York"},
    {At(4, 1, 23, 30), At(4, 1, 23, 59), false, "Last minute"},
};

void ExpectSameRows(const std::vector<AppointmentRow>& got,
                    const std::vector<AppointmentRow>& want) {
  ASSERT_EQ(Subjects(got), Subjects(want));
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].start, want[i].start, 1e-6) << i << " " << want[i].subject;
    EXPECT_NEAR(got[i].end, want[i].end, 1e-6) << i << " " << want[i].subject;
    EXPECT_EQ(got[i].allDay, want[i].allDay) << i << " " << want[i].subject;
  }
}

class IcalServerTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseBerlinTime(); }

  std::unique_ptr<_Application> Server(const std::string& root) {
    return MakeIcalServerFactory(root, test::UsFormats(), opener_)();
  }

  std::shared_ptr<Items> FolderItems(_Application& server, int folder) {
    return server.GetNamespace("MAPI")->GetDefaultFolder(folder)->Items();
  }

  std::shared_ptr<Items> Calendar(const std::string& root) {
    server_ = Server(root);
    auto items = FolderItems(*server_, kFolderCalendar);
    items->Sort("[Start]", false);
    items->SetIncludeRecurrences(true);
    return items;
  }

  std::shared_ptr<Items> Tasks(const std::string& root, const std::string& sort, bool descending) {
    server_ = Server(root);
    auto items = FolderItems(*server_, kFolderTasks);
    if (!sort.empty()) items->Sort(sort, descending);
    return items;
  }

  test::RecordingOpener opener_;
  std::unique_ptr<_Application> server_;
};

TEST_F(IcalServerTest, BothCalendarFormsReturnTheWindowInStartOrder) {
  const std::string store = test::IcsData("window.ics");
  ExpectSameRows(WalkAppointments(*Calendar(store), kFirstForm), kWindow);
  ExpectSameRows(WalkAppointments(*Calendar(store), kPreciseForm), kWindow);
}

TEST_F(IcalServerTest, StartSortsBothWaysAndRecurrencesNeedAsking) {
  const std::string store = test::IcsData("window.ics");
  auto items = Calendar(store);
  items->Sort("[Start]", true);
  ExpectSameRows(WalkAppointments(*items, kFirstForm),
                 std::vector<AppointmentRow>(kWindow.rbegin(), kWindow.rend()));

  // Without IncludeRecurrences a series is one item at its first occurrence.
  auto masters = Calendar(store);
  masters->SetIncludeRecurrences(false);
  EXPECT_THAT(Subjects(WalkAppointments(
                  *masters, "[Start] >= \"01/01/2026 00:00\" and [Start] < \"03/02/2026 00:00\"")),
              ElementsAre("Weekly review", "Long project", "Call New York"));
}

// A filter's bounds hold to the minute at both ends, also before 1900, where
// automation dates no longer order as their numbers do.
TEST_F(IcalServerTest, FilterBoundsHoldToTheMinuteAtBothEnds) {
  const auto event = [](const std::string& subject, const std::string& start) {
    return "BEGIN:VEVENT\nUID:" + subject + "\nSUMMARY:" + subject + "\nDTSTART:" + start +
           "\nEND:VEVENT\n";
  };
  test::TempStore store;
  store.Write(
      "edges.ics",
      test::Calendar(event("before", "20261207T235900") + event("first", "20261208T000000") +
                     event("last", "20261209T235900") + event("after", "20261210T000000") +
                     event("old", "18991229T180000") + event("older", "18991228T180000")));
  EXPECT_THAT(Subjects(WalkAppointments(
                  *Calendar(store.Root()),
                  "[Start] >= \"12/08/2026 00:00\" and [Start] <= \"12/09/2026 23:59\"")),
              ElementsAre("first", "last"));
  EXPECT_THAT(Subjects(WalkAppointments(
                  *Calendar(store.Root()),
                  "[Start] >= \"12/29/1899 00:00\" and [Start] <= \"12/30/1899 00:00\"")),
              ElementsAre("old"));  // -1.75 as a number, below the bound's -1.0
}

TEST_F(IcalServerTest, AppointmentsReportTheirTextsAndOneEntryIdPerSeries) {
  auto items = Calendar(test::IcsData("window.ics"));
  std::vector<std::string> callIds;
  std::string easterCategories;
  std::string breakfastLocation;
  for (auto item = items->Find(kFirstForm); item; item = items->FindNext()) {
    _AppointmentItem* a = item->QueryAppointmentItem();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(item->QueryTaskItem(), nullptr);
    if (a->Subject() == "Call New York") callIds.push_back(a->EntryID());
    if (a->Subject() == "Easter holiday") easterCategories = a->Categories();
    if (a->Subject() == "Breakfast meeting") breakfastLocation = a->Location();
  }
  ASSERT_EQ(callIds.size(), 6u);
  EXPECT_THAT(callIds, ::testing::Each(callIds.front()));
  EXPECT_EQ(easterCategories, "Family, Travel");
  EXPECT_EQ(breakfastLocation, "Cafe Rosa");
  EXPECT_THROW(ToTaskItem(*items->Find(kFirstForm)), AutomationError);
}

TEST_F(IcalServerTest, TaskFiltersSelectByCompletion) {
  const std::string store = test::IcsData("tasks.ics");
  EXPECT_THAT(
      WalkTaskSubjects(*Tasks(store, "", false), kOpenTasks),
      ElementsAre("Send invoice", "Renew passport", "Water the plants", "Call the plumber"));
  EXPECT_THAT(WalkTaskSubjects(*Tasks(store, "[DueDate]", false), kAllTasks),
              ElementsAre("Send invoice", "File expenses", "Call the plumber", "Renew passport",
                          "Water the plants"));
  auto items = Tasks(store, "", false);
  auto item = items->Find("[Subject] = \"file EXPENSES\"");
  ASSERT_NE(item, nullptr);
  _TaskItem& task = ToTaskItem(*item);
  EXPECT_TRUE(task.Complete());
  EXPECT_EQ(task.DueDate(), EncodeDate(2026, 3, 27));
  EXPECT_EQ(task.StartDate(), EncodeDate(2026, 3, 1));
  EXPECT_EQ(task.Importance(), kImportanceNormal);
  EXPECT_EQ(item->QueryAppointmentItem(), nullptr);
  EXPECT_EQ(items->FindNext(), nullptr);
}

// Equal keys keep the store's order in both directions; tasks without a date
// sort as 1 January 4501.
TEST_F(IcalServerTest, EveryTaskSortKeyInBothDirections) {
  const std::string store = test::IcsData("tasks.ics");
  struct Case {
    const char* key;
    bool descending;
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"[DueDate]",
       false,
       {"Send invoice", "Call the plumber", "Renew passport", "Water the plants"}},
      {"[DueDate]",
       true,
       {"Water the plants", "Renew passport", "Call the plumber", "Send invoice"}},
      {"[Importance]",
       false,
       {"Water the plants", "Send invoice", "Renew passport", "Call the plumber"}},
      {"[Importance]",
       true,
       {"Renew passport", "Call the plumber", "Send invoice", "Water the plants"}},
      {"[StartDate]",
       false,
       {"Send invoice", "Call the plumber", "Renew passport", "Water the plants"}},
      {"[StartDate]",
       true,
       {"Renew passport", "Water the plants", "Call the plumber", "Send invoice"}},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(WalkTaskSubjects(*Tasks(store, c.key, c.descending), kOpenTasks),
                ElementsAreArray(c.order))
        << c.key << (c.descending ? " descending" : " ascending");
  }
  EXPECT_THROW(Tasks(store, "[Colour]", false), AutomationError);
}

TEST_F(IcalServerTest, FindNextWalksOnToTheEndAndFindStartsAgain) {
  auto items = Tasks(test::IcsData("tasks.ics"), "[DueDate]", false);
  EXPECT_THROW(items->FindNext(), AutomationError);
  auto first = items->Find(kOpenTasks);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ToTaskItem(*first).Subject(), "Send invoice");
  int rest = 0;
  while (items->FindNext()) ++rest;
  EXPECT_EQ(rest, 3);
  EXPECT_EQ(items->FindNext(), nullptr);  // and stays at the end
  auto again = items->Find(kOpenTasks);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(ToTaskItem(*again).Subject(), "Send invoice");
  EXPECT_EQ(items->Find("[Subject] = \"nothing like this\""), nullptr);
  EXPECT_EQ(items->FindNext(), nullptr);
}

TEST_F(IcalServerTest, BrokenInputs) {
  // A bad component is skipped, the rest of its file is read.
  EXPECT_THAT(Subjects(WalkAppointments(*Calendar(test::IcsData("broken.ics")), kFirstForm)),
              ElementsAre("Readable"));

  // A file that is no calendar costs that file; with nothing else to read,
  // the whole refresh fails, naming it.
  test::TempStore store;
  std::filesystem::copy_file(test::IcsData("not-a-calendar.ics"), store.Path("list.ics"));
  try {
    Calendar(store.Root());
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_THAT(e.what(), HasSubstr("\"list.ics\""));
  }
  store.Write("good.ics", test::Calendar(""));
  EXPECT_TRUE(WalkAppointments(*Calendar(store.Root()), kFirstForm).empty());

  test::TempStore empty;
  EXPECT_TRUE(WalkAppointments(*Calendar(empty.Root()), kFirstForm).empty());
  EXPECT_TRUE(WalkTaskSubjects(*Tasks(empty.Root(), "[DueDate]", true), kAllTasks).empty());

  try {
    Calendar(empty.Path("missing"));
    FAIL() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_THAT(e.what(), HasSubstr("does not exist"));
  }
  // The Inbox is empty and needs no store.
  auto inbox = FolderItems(*Server(empty.Path("missing")), kFolderInbox);
  EXPECT_EQ(inbox->Find("[Subject] <> \"\""), nullptr);
}

TEST_F(IcalServerTest, FoldersAndFilesOfAStoreAreAllRead) {
  test::TempStore store;
  store.Write("work.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:w1
    SUMMARY:From the file
    DTSTART:20260327T100000
    END:VEVENT
  )"));
  store.Write("personal/one.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:p1
    SUMMARY:From the vdir
    DTSTART:20260327T090000
    END:VEVENT
  )"));
  store.Write("personal/.hidden.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:h1
    SUMMARY:Half-written
    DTSTART:20260327T090000
    END:VEVENT
  )"));
  store.Write("personal/readme.txt", "not a calendar, not an .ics file");
  test::TempStore elsewhere;
  elsewhere.Write("linked.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:l1
    SUMMARY:Through a link
    DTSTART:20260327T080000
    END:VEVENT
  )"));
  std::filesystem::create_symlink(elsewhere.Path("linked.ics"), store.Path("linked.ics"));
  std::filesystem::create_symlink(elsewhere.Path("gone.ics"), store.Path("dangling.ics"));

  EXPECT_THAT(Subjects(WalkAppointments(*Calendar(store.Root()), kFirstForm)),
              ElementsAre("Through a link", "From the vdir", "From the file"));
  // A root that is a single file is a store too.
  EXPECT_THAT(Subjects(WalkAppointments(*Calendar(store.Path("work.ics")), kFirstForm)),
              ElementsAre("From the file"));
}

TEST_F(IcalServerTest, FoldersDisplayThroughTheDesktop) {
  test::TempStore store;
  auto server = Server(store.Root());
  auto space = server->GetNamespace("mapi");
  space->GetDefaultFolder(kFolderCalendar)->Display();
  space->GetDefaultFolder(kFolderTasks)->Display();
  space->GetDefaultFolder(kFolderInbox)->Display();
  ASSERT_EQ(opener_.calls.size(), 3u);
  EXPECT_EQ(opener_.calls[0].program, DesktopProgram::Calendar);
  EXPECT_EQ(opener_.calls[1].program, DesktopProgram::Calendar);
  EXPECT_EQ(opener_.calls[2].program, DesktopProgram::Mail);
  EXPECT_EQ(opener_.calls[2].file, "");

  opener_.answer = {LaunchStatus::NoDefaultProgram, {}};
  EXPECT_NO_THROW(space->GetDefaultFolder(kFolderCalendar)->Display());
  opener_.answer = {LaunchStatus::Failed, "No such file"};
  EXPECT_THROW(space->GetDefaultFolder(kFolderCalendar)->Display(), AutomationError);

  EXPECT_THROW(space->GetDefaultFolder(7), AutomationError);
  EXPECT_THROW(server->GetNamespace("CDO"), AutomationError);
  EXPECT_THAT(server->Version(), HasSubstr("libical 3."));
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(IcalServerTest, ItemLinksOpenTheItemsOwnFileOrACopyOfIt) {
  test::TempStore store;
  store.Write("work.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:w1
    SUMMARY:Budget meeting
    DTSTART:20260327T100000
    END:VEVENT
    BEGIN:VEVENT
    UID:w2
    SUMMARY:Other meeting
    DTSTART:20260327T110000
    END:VEVENT
  )"));
  store.Write("personal/dentist.ics", test::Calendar(R"(
    BEGIN:VEVENT
    UID:p1
    SUMMARY:Dentist
    DTSTART:20260327T090000
    END:VEVENT
  )"));
  TOutlookApplication session(MakeIcalServerFactory(store.Root(), test::UsFormats(), opener_),
                              opener_);
  auto items = session.GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
  items->Sort("[Start]", false);
  const auto dentist = items->Find(kFirstForm);
  const auto budget = items->FindNext();
  ASSERT_TRUE(dentist && budget);
  session.Disconnect();

  session.OpenItemLink("outlook:" + dentist->QueryAppointmentItem()->EntryID());
  ASSERT_EQ(opener_.calls.size(), 1u);
  EXPECT_EQ(opener_.calls[0].file, store.Path("personal/dentist.ics"));
  EXPECT_FALSE(session.Connected());  // the look-up's own connection ended with it

  session.OpenItemLink("OutLook:" + budget->QueryAppointmentItem()->EntryID());
  ASSERT_EQ(opener_.calls.size(), 2u);
  const std::string copy = opener_.calls[1].file;
  EXPECT_NE(copy, store.Path("work.ics"));
  const std::string text = FileText(copy);
  std::filesystem::remove(copy);
  EXPECT_THAT(text, HasSubstr("SUMMARY:Budget meeting"));
  EXPECT_THAT(text, ::testing::Not(HasSubstr("Other meeting")));

  opener_.answer = {LaunchStatus::NoDefaultProgram, {}};
  EXPECT_THROW(session.OpenItemLink("outlook:" + dentist->QueryAppointmentItem()->EntryID()),
               AutomationError);
  EXPECT_THROW(session.OpenItemLink("outlook:00FF"), AutomationError);
}

TEST_F(IcalServerTest, AStoreReReadsOnlyTheFilesThatChanged) {
  test::TempStore store;
  store.Write("a.ics", test::Calendar(""));
  store.Write("b.ics", test::Calendar(""));
  ical::IcalStore cache(store.Root());
  const auto first = cache.Refresh();
  EXPECT_EQ(cache.FilesRead(), 2u);
  EXPECT_EQ(cache.Refresh(), first);  // nothing changed: the same snapshot, nothing read
  EXPECT_EQ(cache.FilesRead(), 2u);
  store.Write("b.ics", test::Calendar("BEGIN:VTODO\nUID:t\nSUMMARY:New\nEND:VTODO\n"));
  const auto second = cache.Refresh();
  EXPECT_EQ(cache.FilesRead(), 3u);
  ASSERT_EQ(second->sources.size(), 2u);
  EXPECT_EQ(second->sources[0], first->sources[0]);  // a.ics kept as it was
  EXPECT_EQ(second->sources[1]->content.tasks.size(), 1u);
  // A broken file stays a problem without being read again until it changes.
  store.Write("c.ics", "garbage");
  EXPECT_EQ(cache.Refresh()->problems.size(), 1u);
  EXPECT_EQ(cache.Refresh()->problems.size(), 1u);
  EXPECT_EQ(cache.FilesRead(), 4u);
  std::filesystem::remove(store.Path("c.ics"));
  EXPECT_EQ(cache.Refresh()->sources.size(), 2u);
  EXPECT_TRUE(cache.Refresh()->problems.empty());
}

TEST_F(IcalServerTest, EveryConnectionSeesTheStoreAsItIsNow) {
  test::TempStore store;
  const auto write = [&](const std::string& subject) {
    store.Write("work.ics", test::Calendar("BEGIN:VEVENT\nUID:w1\nSUMMARY:" + subject +
                                           "\nDTSTART:20260327T100000\nEND:VEVENT\n"));
  };
  write("Before");
  store.Write("other.ics", test::Calendar(""));
  TOutlookApplication session(MakeIcalServerFactory(store.Root(), test::UsFormats(), opener_),
                              opener_);
  const auto walk = [&] {
    session.Connect();
    auto items = session.GetNamespace("MAPI")->GetDefaultFolder(kFolderCalendar)->Items();
    const auto subjects = Subjects(WalkAppointments(*items, kFirstForm));
    session.Disconnect();
    return subjects;
  };
  EXPECT_THAT(walk(), ElementsAre("Before"));
  EXPECT_THAT(walk(), ElementsAre("Before"));
  // One connection keeps the state it first saw; the next one sees the edit.
  session.Connect();
  auto space = session.GetNamespace("MAPI");
  EXPECT_THAT(
      Subjects(WalkAppointments(*space->GetDefaultFolder(kFolderCalendar)->Items(), kFirstForm)),
      ElementsAre("Before"));
  write("After the edit");
  EXPECT_THAT(
      Subjects(WalkAppointments(*space->GetDefaultFolder(kFolderCalendar)->Items(), kFirstForm)),
      ElementsAre("Before"));
  session.Disconnect();
  EXPECT_THAT(walk(), ElementsAre("After the edit"));
  std::filesystem::remove(store.Path("work.ics"));
  EXPECT_TRUE(walk().empty());
}

}  // namespace
}  // namespace lumivane
