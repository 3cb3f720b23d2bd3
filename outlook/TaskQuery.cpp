#include "outlook/TaskQuery.h"

#include <memory>

#include "outlook/AutomationError.h"
#include "outlook/CategoryFilter.h"

namespace lumivane {

std::optional<std::string> TaskSortKey(int sortTasks) {
  switch (sortTasks) {
    case 0:
      return "[DueDate]";
    case 1:
      return "[Importance]";
    case 2:
      return "[StartDate]";
    default:
      return std::nullopt;
  }
}

bool TaskSortDescending(int taskSortDirection) {
  return taskSortDirection == 0;
}

std::string TaskFilterText(bool showCompletedTasks) {
  return showCompletedTasks ? "([Complete] = True or [Complete] = False)" : "([Complete] = False)";
}

bool TaskDueForToday(AutomationDate dueDate, AutomationDate now, bool showWithoutDueDate) {
  if (DateOf(now) >= dueDate) return true;
  return showWithoutDueDate && dueDate == NoDate;
}

void TaskQuery(NameSpace& ns, const TaskQueryOptions& options, AutomationDate now,
               const TaskConsumer& consumer) {
  const std::shared_ptr<MAPIFolder> folder = ns.GetDefaultFolder(kFolderTasks);
  if (folder == nullptr) throw AutomationError("The Tasks folder could not be opened.");
  const std::shared_ptr<Items> items = folder->Items();
  if (items == nullptr) throw AutomationError("The items of the Tasks folder could not be read.");
  if (const std::optional<std::string> key = TaskSortKey(options.SortTasks)) {
    items->Sort(*key, TaskSortDescending(options.TaskSortDirection));
  }
  for (std::shared_ptr<OutlookItem> item = items->Find(TaskFilterText(options.ShowCompletedTaks));
       item != nullptr; item = items->FindNext()) {
    const _TaskItem& task = ToTaskItem(*item);
    // An empty list keeps every item: the categories are not even read.
    if (!options.TasksCategories.empty() &&
        !CategoryFilter(task.Categories(), options.TasksCategories, options.ShowTaskCategories)) {
      continue;
    }
    const AutomationDate due = task.DueDate();
    if (options.ShowTodayTasks && !TaskDueForToday(due, now, options.ShowTodayTasksEmpty)) {
      continue;
    }
    TaskEntry entry;
    entry.Subject = task.Subject();
    if (options.OpenOutlookItem) entry.EntryID = task.EntryID();
    entry.Complete = task.Complete();
    entry.Importance = task.Importance();
    entry.DueDate = due;
    entry.TaskDate = options.TaskDateType == 0 ? due : task.StartDate();
    consumer(entry);
  }
}

}  // namespace lumivane
