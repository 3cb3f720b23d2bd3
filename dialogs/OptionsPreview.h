#pragma once
// The preview of the options dialog: display markup built from fixed sample
// items (five appointments over three days, up to five tasks) and from the
// dialog's choices, never from the calendar store. Plain C++, so its exact
// lines are tested without a display.
#include <string>
#include <vector>

#include "base/ColorText.h"

namespace lumivane {

// What one build reads from the dialog's controls.
struct PreviewChoices {
  bool showShadow = false;
  bool alignRight = false;  // the alignment list on "Right"
  bool indentOn = false;    // "Indent items by"
  int indent = 3;
  int fontPointSize = 8;  // the preview font's
  bool showCalendar = true;
  bool showStartTime = true;
  bool showEndTime = true;
  bool showAllDay = true;
  bool useTodayTomorrow = true;
  bool showTasks = true;
  int sortTasks = 0;  // 0 due date, 1 priority, 2 start date
  bool showImpIcons = true;
  bool showCompleted = false;
  bool showTaskDate = true;   // "Also show in task text"
  bool taskDateColor = true;  // "Color tasks based on selected date"
  bool colorAllTask = false;
  Color pastColor = RGB(255, 140, 140);
  Color futureColor = RGB(164, 255, 164);
};

// The words of one build: translated through the dialog's own translator,
// the weekday names in the user's locale.
struct PreviewWords {
  std::string calendar = "Calendar";
  std::string tasks = "Tasks";
  std::string allDay = "All Day";
  std::string today = "Today";
  std::string tomorrow = "Tomorrow";
  // The full names of Wednesday, Thursday and Friday (12, 13 and 14 May 2004).
  std::string day1 = "Wednesday";
  std::string day2 = "Thursday";
  std::string day3 = "Friday";
};

// The markup lines of the preview, in order.
std::vector<std::string> BuildPreviewMarkup(const PreviewChoices& choices,
                                            const PreviewWords& words);

// FS: the point size minus 1 when that is above 5, else "1".
std::string PreviewFontSize(int pointSize);

}  // namespace lumivane
