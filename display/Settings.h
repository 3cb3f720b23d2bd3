#pragma once
// The Settings record: one field per stored value, named after the value.
// Plain data read by every layer above the automation contract; loading and
// saving it is the settings store's job (app/SettingsStore).
#include <string>

#include "display/ColorText.h"

namespace lumivane {

struct Settings {
  int RefreshEvery = 1;           // in the unit of RefreshType; at most 300
  int RefreshType = 1;            // 0 minutes, anything else hours
  int Align = 0;                  // 0 left, 1 right (the window keeps its right edge)
  bool SnapToDesktop = true;
  bool ShowCalendar = true;
  bool ShowCalendarTime = true;
  int CalendarDaysToDisplay = 5;  // at most 90
  bool ShowTaks = true;
  bool ShowTaskDate = true;
  bool ShowCompletedTaks = false;
  bool ShowTaskDateColor = true;
  bool ColorAllTask = false;
  Color TaskDueColor = RGB(255, 140, 140);
  Color TaskFutureColor = RGB(164, 255, 164);
  Color TaskDueTodayColor = RGB(255, 188, 121);
  bool ShowShadow = false;
  Color ShadowColor = clBlack;
  bool ShowAllDay = true;
  int AlphaLevel = 255;
  int TaskDateType = 0;           // 0 due date, 1 start date
  bool ShowTodayTasks = true;
  bool ShowTodayTasksEmpty = true;
  bool ShowPreciseCalendar = false;
  bool ShowLocation = false;
  bool ShowEndTime = true;
  int Indent = -1;                // spaces before each calendar line; -1 none
  bool ShowImpIcons = true;
  int SortTasks = 0;              // 0 due date, 1 priority, 2 start date
  std::string CalendarCategories;
  std::string TasksCategories;
  int TaskSortDirection = 0;      // 0 "Ascending", 1 "Descending" in the options dialog
  bool ShowCalCategories = true;
  bool ShowTaskCategories = true;
  bool OpenOutlookItem = false;
  bool AlwaysShowCalDate = false;
  Color BackGroundColor = RGB(1, 1, 1);
  Color FontColor = clWhite;
  int RefreshHotkey = 0;
  bool CalIgnoreWeekends = false;
  bool NoRefreshFullScreenApp = true;
  bool HTMLSubject = true;
  int MaxSubjectSize = 0;
  bool IgnoreClearType = true;
  bool ShowCurrentTaskIndicator = false;
  bool UseTodayTomorrow = true;
  bool DontDisplayCalIfEmpty = false;
  bool DontDisplayTasksIfEmpty = false;
  bool UseVistaPin = false;
  bool ShowWelcomeWindow = true;
};

}  // namespace lumivane
