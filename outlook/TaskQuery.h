#pragma once
// The task query: the tasks of the default Tasks folder that the display
// lists, in the server's order, handed to a consumer one at a time.
#include <optional>
#include <string>

#include "base/AutomationDate.h"
#include "outlook/OutlookContract.h"
#include "outlook/QueryEntries.h"

namespace lumivane {

// The settings the task query reads, under their stored names.
struct TaskQueryOptions {
  int SortTasks = 0;          // 0 "[DueDate]", 1 "[Importance]", 2 "[StartDate]", else no sort
  int TaskSortDirection = 0;  // 0 sorts with the descending flag set
  bool ShowCompletedTaks = false;
  std::string TasksCategories;
  bool ShowTaskCategories = true;
  bool ShowTodayTasks = true;
  bool ShowTodayTasksEmpty = true;
  int TaskDateType = 0;  // 0 the due date is the task date, else the start date
  // Entry IDs serve only the links to the items that this turns on; without
  // it they are not asked for and stay empty.
  bool OpenOutlookItem = false;
};

// The key of the sort request, or none for SortTasks outside 0 to 2.
std::optional<std::string> TaskSortKey(int sortTasks);

// The descending flag of the sort request: set exactly when the direction is 0.
// The stored direction counts the other way round from the flag, and stored
// settings rely on it, so it is kept.
bool TaskSortDescending(int taskSortDirection);

// "([Complete] = True or [Complete] = False)" with completed tasks shown,
// otherwise "([Complete] = False)".
std::string TaskFilterText(bool showCompletedTasks);

// The today-only step: a task due on or before today 00:00 passes; one
// without due date passes only with showWithoutDueDate. A task due later
// today than 00:00 counts as not due yet.
bool TaskDueForToday(AutomationDate dueDate, AutomationDate now, bool showWithoutDueDate);

// Sorts and walks the default Tasks folder, handing every retained task to
// `consumer` as the server returns it. An item that is not a task, or any
// failing read, raises an AutomationError that ends the walk; the tasks
// handed over before it stay handed over.
void TaskQuery(NameSpace& ns, const TaskQueryOptions& options, AutomationDate now,
               const TaskConsumer& consumer);

}  // namespace lumivane
