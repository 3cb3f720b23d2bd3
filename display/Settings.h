#pragma once
// The Settings record: one field per stored value, named after the value.
// Plain data read by every layer above the automation contract; loading and
// saving it is the settings store's job (app/SettingsStore), driven by the
// table below, which is the one place that says what each value is.
#include <string>

#include "base/ColorText.h"

namespace lumivane {

using Text = std::string;

// Every stored value, one line each, in the order the store reads them:
//   VALUE(name, type, default, maximum, write position)   a field of the record
//   HELD(name, write position)                             kept outside the record
// `maximum` clamps larger stored numbers (0: none); smaller ones, zero and
// negatives included, are kept as they are. The write position is the value's
// place in the saved file, 1 first. HELD values are the lock check mark, the
// display font, the translation file and the window position; the store reads
// and writes them at their place itself.
// clang-format off
#define LUMIVANE_SETTINGS_TABLE(VALUE, HELD)                                   \
  VALUE(RefreshEvery, int, 1, 300, 4) /* in the unit of RefreshType */         \
  VALUE(RefreshType, int, 1, 0, 5)    /* 0 minutes, anything else hours */     \
  VALUE(ShowWelcomeWindow, bool, true, 0, 8)                                   \
  VALUE(Align, int, 0, 0, 6) /* 0 left, 1 right (keeps the right edge) */      \
  VALUE(SnapToDesktop, bool, true, 0, 7)                                       \
  VALUE(ShowCalendar, bool, true, 0, 9)                                        \
  VALUE(OpenOutlookItem, bool, false, 0, 52)                                   \
  VALUE(AlwaysShowCalDate, bool, false, 0, 53)                                 \
  VALUE(ShowCalendarTime, bool, true, 0, 10)                                   \
  HELD(LockWindow, 42)                                                         \
  VALUE(NoRefreshFullScreenApp, bool, true, 0, 12)                             \
  VALUE(HTMLSubject, bool, true, 0, 13)                                        \
  VALUE(MaxSubjectSize, int, 0, 0, 14) /* 0: subjects are not cut */          \
  VALUE(IgnoreClearType, bool, true, 0, 15)                                    \
  VALUE(ShowCurrentTaskIndicator, bool, false, 0, 16)                          \
  VALUE(UseTodayTomorrow, bool, true, 0, 17)                                   \
  VALUE(DontDisplayCalIfEmpty, bool, false, 0, 18)                             \
  VALUE(DontDisplayTasksIfEmpty, bool, false, 0, 19)                           \
  VALUE(CalendarDaysToDisplay, int, 5, 90, 20)                                 \
  VALUE(ShowTaks, bool, true, 0, 22)                                           \
  VALUE(ShowTaskDate, bool, true, 0, 23)                                       \
  VALUE(TaskDateType, int, 0, 0, 38) /* 0 due date, 1 start date */           \
  VALUE(ShowCompletedTaks, bool, false, 0, 24)                                 \
  VALUE(ShowPreciseCalendar, bool, false, 0, 41)                               \
  VALUE(ShowLocation, bool, false, 0, 21)                                      \
  HELD(DisplayFont, 27)                                                        \
  VALUE(FontColor, Color, clWhite, 0, 26)                                      \
  HELD(Language, 28)                                                           \
  VALUE(ShowTaskDateColor, bool, true, 0, 29)                                  \
  VALUE(ColorAllTask, bool, false, 0, 30)                                      \
  VALUE(TaskDueColor, Color, RGB(255, 140, 140), 0, 31)                        \
  VALUE(TaskFutureColor, Color, RGB(164, 255, 164), 0, 32)                     \
  VALUE(TaskDueTodayColor, Color, RGB(255, 188, 121), 0, 33)                   \
  VALUE(ShowShadow, bool, false, 0, 34)                                        \
  VALUE(ShadowColor, Color, clBlack, 0, 35)                                    \
  VALUE(ShowAllDay, bool, true, 0, 36)                                         \
  VALUE(AlphaLevel, int, 255, 255, 37)                                         \
  VALUE(ShowTodayTasks, bool, true, 0, 39)                                     \
  VALUE(ShowTodayTasksEmpty, bool, true, 0, 40)                                \
  VALUE(ShowEndTime, bool, true, 0, 43)                                        \
  VALUE(CalIgnoreWeekends, bool, false, 0, 11)                                 \
  VALUE(ShowImpIcons, bool, true, 0, 45)                                       \
  VALUE(Indent, int, -1, 10, 44) /* spaces before calendar lines; -1 none */  \
  VALUE(SortTasks, int, 0, 0, 46) /* 0 due date, 1 priority, 2 start date */  \
  VALUE(CalendarCategories, Text, "", 0, 47)                                   \
  VALUE(TasksCategories, Text, "", 0, 48)                                      \
  VALUE(TaskSortDirection, int, 0, 0, 49) /* 0 ascending, 1 descending */     \
  VALUE(ShowCalCategories, bool, true, 0, 50)                                  \
  VALUE(ShowTaskCategories, bool, true, 0, 51)                                 \
  /* The default is the desktop's colour where it can be read. */              \
  VALUE(BackGroundColor, Color, RGB(1, 1, 1), 0, 54)                           \
  VALUE(RefreshHotkey, int, 0, 0, 3)                                           \
  VALUE(UseVistaPin, bool, false, 0, 25)                                       \
  HELD(WindowTop, 1)                                                           \
  HELD(WindowLeft, 2)
// clang-format on

struct Settings {
#define LUMIVANE_SETTINGS_FIELD(name, type, init, maximum, position) type name = init;
#define LUMIVANE_SETTINGS_SKIP(name, position)
  LUMIVANE_SETTINGS_TABLE(LUMIVANE_SETTINGS_FIELD, LUMIVANE_SETTINGS_SKIP)
#undef LUMIVANE_SETTINGS_FIELD
#undef LUMIVANE_SETTINGS_SKIP
};

}  // namespace lumivane
