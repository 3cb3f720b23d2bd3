#pragma once
// The calendar query: the appointments and occurrences of a window of days
// that starts today, in start order, each with the day it is listed under,
// handed to a consumer one at a time.
#include <string>

#include "base/AutomationDate.h"
#include "i18n/FormatSettings.h"
#include "outlook/OutlookContract.h"
#include "outlook/QueryEntries.h"

namespace lumivane {

// The settings the calendar query reads, under their stored names.
struct CalendarQueryOptions {
  int CalendarDaysToDisplay = 5;  // days after today
  bool ShowPreciseCalendar = false;
  bool CalIgnoreWeekends = false;
  std::string CalendarCategories;
  bool ShowCalCategories = true;
  // Entry IDs serve only the links to the items that this turns on; without
  // it they are not asked for and stay empty.
  bool OpenOutlookItem = false;
};

// The dates of one query, all taken from the current moment.
struct CalendarWindow {
  AutomationDate today = 0;  // the current date at 00:00
  AutomationDate now = 0;
  // today + CalendarDaysToDisplay; the date 0 (30 December 1899) when that is
  // not above 0, so that nothing matches.
  AutomationDate endDay = 0;
  // Where the consumer starts its day headings: now with ShowPreciseCalendar,
  // else today.
  AutomationDate referenceMoment = 0;
};

CalendarWindow CalendarWindowFor(const CalendarQueryOptions& options, AutomationDate now);

// The filter text of the query, its dates in the user's short date format.
// Without ShowPreciseCalendar: appointments that start, or end after today
// 00:00, between today and the end day. With it, the same wider condition is
// kept as an alternative, so that an appointment that ends after the window
// (a holiday, 23:00 to 01:00 on the last day) still comes back; those that
// ended earlier today are dropped item by item.
std::string CalendarFilterText(const CalendarQueryOptions& options, const CalendarWindow& window,
                               const FormatSettings& fs);

// A timed appointment that starts and ends today and whose end, to the
// minute ("hh:nn"), is before the current minute: at 10:00:30 one that ends
// at 10:00 has not ended yet, at 10:01 it has. Applied with
// ShowPreciseCalendar only.
bool EndedEarlierToday(bool allDayEvent, AutomationDate start, AutomationDate end,
                       const CalendarWindow& window, const FormatSettings& fs);

// Whether the start falls on a Saturday or a Sunday.
bool StartsOnWeekend(AutomationDate start);

// The day an appointment is listed under: its start, or today for one that
// began before today and ends on another day than it started.
AutomationDate AppointmentDisplayDate(AutomationDate start, AutomationDate end,
                                      const CalendarWindow& window, const FormatSettings& fs);

// Sorts by start, includes recurrences, and walks the default Calendar folder,
// handing every retained appointment with the reference moment to `consumer`.
// An item that is not an appointment is skipped; an error while one item is
// read or consumed is swallowed and the walk goes on. A failure of the
// folder, of Sort, IncludeRecurrences, Find or FindNext is raised: after a
// failed FindNext the server's position is unknown, so the walk ends rather
// than risk an endless walk or an appointment twice.
void CalendarQuery(NameSpace& ns, const CalendarQueryOptions& options, const FormatSettings& fs,
                   AutomationDate now, const AppointmentConsumer& consumer);

}  // namespace lumivane
