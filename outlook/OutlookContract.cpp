#include "outlook/OutlookContract.h"

#include "outlook/AutomationError.h"

namespace lumivane {

_TaskItem& ToTaskItem(OutlookItem& item) {
  _TaskItem* task = item.QueryTaskItem();
  if (task == nullptr) throw AutomationError("The item in the Tasks folder is not a task.");
  return *task;
}

}  // namespace lumivane
