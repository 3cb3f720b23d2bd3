#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "outlook/TaskQuery.h"
#include "queries/ContractMocks.h"

namespace lumivane {
namespace {

using test::FakeNote;
using test::FakeTask;
using test::MockStore;
using ::testing::InSequence;
using ::testing::Return;

const AutomationDate kNow = EncodeDateTime(2026, 3, 5, 14, 7, 9);  // a Thursday
const AutomationDate kToday = EncodeDate(2026, 3, 5);

std::shared_ptr<FakeTask> Task(const std::string& subject, AutomationDate due,
                               const std::string& categories = "") {
  auto task = std::make_shared<FakeTask>();
  task->subject = subject;
  task->entryId = "id-" + subject;
  task->due = due;
  task->categories = categories;
  return task;
}

std::vector<std::string> Subjects(const std::vector<TaskEntry>& entries) {
  std::vector<std::string> out;
  for (const TaskEntry& e : entries) out.push_back(e.Subject);
  return out;
}

struct SortCase {
  int sortTasks;
  int direction;
  std::optional<std::string> key;
  bool descending;
};

void PrintTo(const SortCase& c, std::ostream* os) {
  *os << "SortTasks " << c.sortTasks << ", TaskSortDirection " << c.direction;
}

class TaskSortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(TaskSortTest, SortRequestPrecedesTheWalk) {
  const SortCase& c = GetParam();
  MockStore store(kFolderTasks);
  {
    InSequence order;
    // The strict collection fails on any Sort call not expected here.
    if (c.key) EXPECT_CALL(*store.items, Sort(*c.key, c.descending));
    EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(nullptr));
  }
  TaskQueryOptions options;
  options.SortTasks = c.sortTasks;
  options.TaskSortDirection = c.direction;
  int handed = 0;
  TaskQuery(store.ns, options, kNow, [&](const TaskEntry&) { ++handed; });
  EXPECT_EQ(handed, 0);
}

// Direction 0 ("Ascending" in the options) sets the descending flag: the
// stored settings count that way and are kept as they are.
INSTANTIATE_TEST_SUITE_P(
    Keys, TaskSortTest,
    ::testing::Values(SortCase{0, 0, "[DueDate]", true}, SortCase{0, 1, "[DueDate]", false},
                      SortCase{1, 0, "[Importance]", true}, SortCase{1, 1, "[Importance]", false},
                      SortCase{2, 0, "[StartDate]", true}, SortCase{2, 5, "[StartDate]", false},
                      SortCase{3, 0, std::nullopt, false}, SortCase{-1, 1, std::nullopt, false}),
    [](const ::testing::TestParamInfo<SortCase>& info) {
      const std::string sort = info.param.sortTasks < 0
                                   ? "Minus" + std::to_string(-info.param.sortTasks)
                                   : std::to_string(info.param.sortTasks);
      return "SortTasks" + sort + "Direction" + std::to_string(info.param.direction);
    });

TEST(TaskQueryTest, CompletedTasksShownWidenTheFilter) {
  EXPECT_EQ(TaskFilterText(true), "([Complete] = True or [Complete] = False)");
  EXPECT_EQ(TaskFilterText(false), "([Complete] = False)");
  MockStore store(kFolderTasks);
  EXPECT_CALL(*store.items, Sort("[DueDate]", true));
  EXPECT_CALL(*store.items, Find("([Complete] = True or [Complete] = False)"))
      .WillOnce(Return(nullptr));
  TaskQueryOptions options;
  options.ShowCompletedTaks = true;
  TaskQuery(store.ns, options, kNow, [](const TaskEntry&) {});
}

TEST(TaskQueryTest, HandsOverRetainedTasksInServerOrder) {
  auto call = Task("Call Bob", kToday - 1, "Work");
  call->importance = kImportanceHigh;
  call->complete = true;
  call->startDate = kToday - 3;
  auto later = Task("Later", kToday + 1, "Work");        // not due yet
  auto home = Task("Homework", kToday, "Homework");      // substring of Work
  auto nodate = Task("Someday", NoDate, "Work");         // no due date
  auto privat = Task("Private", kToday - 2, "Private");  // not listed
  MockStore store(kFolderTasks);
  {
    InSequence order;
    EXPECT_CALL(*store.items, Sort("[Importance]", false));
    EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(later));
    EXPECT_CALL(*store.items, FindNext())
        .WillOnce(Return(call))
        .WillOnce(Return(privat))
        .WillOnce(Return(nodate))
        .WillOnce(Return(home))
        .WillOnce(Return(nullptr));
  }
  TaskQueryOptions options;
  options.SortTasks = 1;
  options.TaskSortDirection = 1;
  options.TasksCategories = "work";
  options.ShowTodayTasks = true;
  options.ShowTodayTasksEmpty = true;
  options.TaskDateType = 1;
  options.OpenOutlookItem = true;
  std::vector<TaskEntry> handed;
  TaskQuery(store.ns, options, kNow, [&](const TaskEntry& e) { handed.push_back(e); });

  EXPECT_EQ(Subjects(handed), (std::vector<std::string>{"Call Bob", "Someday", "Homework"}));
  ASSERT_EQ(handed.size(), 3u);
  const TaskEntry& first = handed[0];
  EXPECT_EQ(first.EntryID, "id-Call Bob");
  EXPECT_TRUE(first.Complete);
  EXPECT_EQ(first.Importance, kImportanceHigh);
  EXPECT_EQ(first.DueDate, kToday - 1);
  // TaskDateType 1: the start date is shown, the due date still judged.
  EXPECT_EQ(first.TaskDate, kToday - 3);
  EXPECT_EQ(handed[1].DueDate, NoDate);
  EXPECT_EQ(handed[1].TaskDate, NoDate);
}

TEST(TaskQueryTest, TaskDateIsTheDueDateForTaskDateTypeZero) {
  auto task = Task("Report", kToday + 4);
  task->startDate = kToday - 4;
  MockStore store(kFolderTasks);
  EXPECT_CALL(*store.items, Sort("[DueDate]", true));
  EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(task));
  EXPECT_CALL(*store.items, FindNext()).WillOnce(Return(nullptr));
  TaskQueryOptions options;
  options.ShowTodayTasks = false;
  std::vector<TaskEntry> handed;
  TaskQuery(store.ns, options, kNow, [&](const TaskEntry& e) { handed.push_back(e); });
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0].TaskDate, kToday + 4);
}

TEST(TaskQueryTest, EntryIdsAreAskedForOnlyForItemLinks) {
  auto report = Task("Report", kToday);
  for (const bool links : {false, true}) {
    MockStore store(kFolderTasks);
    EXPECT_CALL(*store.items, Sort("[DueDate]", true));
    EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(report));
    EXPECT_CALL(*store.items, FindNext()).WillOnce(Return(nullptr));
    TaskQueryOptions options;
    options.OpenOutlookItem = links;
    std::vector<TaskEntry> handed;
    TaskQuery(store.ns, options, kNow, [&](const TaskEntry& e) { handed.push_back(e); });
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].EntryID, links ? "id-Report" : "");
    EXPECT_EQ(report->entryIdReads, links ? 1 : 0);
  }
}

TEST(TaskQueryTest, ItemOfAnotherKindEndsTheWalkWithAnError) {
  auto first = Task("First", kToday);
  auto note = std::make_shared<FakeNote>();
  MockStore store(kFolderTasks);
  EXPECT_CALL(*store.items, Sort("[DueDate]", true));
  EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(first));
  // No FindNext after the note: the strict collection would fail on it.
  EXPECT_CALL(*store.items, FindNext()).WillOnce(Return(note));
  std::vector<TaskEntry> handed;
  EXPECT_THROW(TaskQuery(store.ns, TaskQueryOptions{}, kNow,
                         [&](const TaskEntry& e) { handed.push_back(e); }),
               AutomationError);
  EXPECT_EQ(Subjects(handed), std::vector<std::string>{"First"});
}

TEST(TaskQueryTest, FailingReadEndsTheWalkWithItsError) {
  auto broken = Task("Broken", kToday);
  broken->dueFails = true;
  MockStore store(kFolderTasks);
  EXPECT_CALL(*store.items, Sort("[DueDate]", true));
  EXPECT_CALL(*store.items, Find("([Complete] = False)")).WillOnce(Return(broken));
  int handed = 0;
  try {
    TaskQuery(store.ns, TaskQueryOptions{}, kNow, [&](const TaskEntry&) { ++handed; });
    ADD_FAILURE() << "the failing read was swallowed";
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "The due date could not be read.");
  }
  EXPECT_EQ(handed, 0);
}

TEST(TaskQueryTest, DueForTodayJudgesTheDateOnly) {
  EXPECT_TRUE(TaskDueForToday(kToday - 1, kNow, false));
  EXPECT_TRUE(TaskDueForToday(kToday, kNow, false));
  // Due later today than 00:00 counts as not due yet.
  EXPECT_FALSE(TaskDueForToday(kToday + 0.5, kNow, true));
  EXPECT_FALSE(TaskDueForToday(kToday + 1, kNow, true));
  EXPECT_TRUE(TaskDueForToday(NoDate, kNow, true));
  EXPECT_FALSE(TaskDueForToday(NoDate, kNow, false));
}

}  // namespace
}  // namespace lumivane
