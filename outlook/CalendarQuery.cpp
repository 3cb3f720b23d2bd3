#include "outlook/CalendarQuery.h"

#include <exception>
#include <memory>

#include "i18n/DateTexts.h"
#include "outlook/AutomationError.h"
#include "outlook/CategoryFilter.h"

namespace lumivane {

CalendarWindow CalendarWindowFor(const CalendarQueryOptions& options, AutomationDate now) {
  CalendarWindow w;
  w.now = now;
  w.today = DateOf(now);
  w.endDay = options.CalendarDaysToDisplay > 0 ? w.today + options.CalendarDaysToDisplay : 0;
  w.referenceMoment = options.ShowPreciseCalendar ? now : w.today;
  return w;
}

std::string CalendarFilterText(const CalendarQueryOptions& options, const CalendarWindow& window,
                               const FormatSettings& fs) {
  const std::string t0 = FilterDateText(window.today, FilterBound::DayStart, fs);
  const std::string e1 = FilterDateText(window.endDay, FilterBound::DayEnd, fs);
  std::string text;
  if (!options.ShowPreciseCalendar) {
    text += "(([Start] >= \"";
    text += t0;
    text += "\"";
    text += ") And ([Start] <= \"";
    text += e1;
    text += "\"))";
    text += "or ([End]>\"";
    text += t0;
    text += "\"";
    text += ") And ([End] <= \"";
    text += e1;
    text += "\")";
    return text;
  }
  // Only the date of now is written, so N0 always equals T0.
  const std::string n0 = FilterDateText(window.now, FilterBound::DayStart, fs);
  text += "(";
  text += "((([End] >= \"";
  text += n0;
  text += "\") and ";
  text += " ([Start] >= \"";
  text += t0;
  text += "\"))";
  text += " or ([End]>\"";
  text += n0;
  text += "\"";
  text += ")) And ([End] <= \"";
  text += e1;
  text += "\")";
  // The condition above leaves out what ends after the end day; appointments
  // that start inside the window belong to it all the same.
  text += ") or (([Start] >= \"";
  text += t0;
  text += "\") And ([Start] <= \"";
  text += e1;
  text += "\"))";
  return text;
}

bool EndedEarlierToday(bool allDayEvent, AutomationDate start, AutomationDate end,
                       const CalendarWindow& window, const FormatSettings& fs) {
  if (allDayEvent) return false;
  if (!IsSameDay(start, window.today, fs) || !IsSameDay(end, window.today, fs)) return false;
  return MinuteText(end, fs) < MinuteText(window.now, fs);
}

bool StartsOnWeekend(AutomationDate start) {
  const int day = DayOfWeek(start);
  return day == 0 || day == 6;
}

AutomationDate AppointmentDisplayDate(AutomationDate start, AutomationDate end,
                                      const CalendarWindow& window, const FormatSettings& fs) {
  if (!IsSameDay(start, end, fs) && start < window.today) return window.today;
  return start;
}

namespace {

// The steps of one item, from the interface test to the consumer.
void HandleAppointment(OutlookItem& item, const CalendarQueryOptions& options,
                       const CalendarWindow& window, const FormatSettings& fs,
                       const AppointmentConsumer& consumer) {
  const _AppointmentItem* appointment = item.QueryAppointmentItem();
  if (appointment == nullptr) return;
  // An empty list keeps every item: the categories are not even read.
  if (!options.CalendarCategories.empty() &&
      !CategoryFilter(appointment->Categories(), options.CalendarCategories,
                      options.ShowCalCategories)) {
    return;
  }
  AppointmentEntry entry;
  entry.Start = appointment->Start();
  entry.End = appointment->End();
  entry.AllDayEvent = appointment->AllDayEvent();
  if (options.ShowPreciseCalendar &&
      EndedEarlierToday(entry.AllDayEvent, entry.Start, entry.End, window, fs)) {
    return;
  }
  if (options.CalIgnoreWeekends && StartsOnWeekend(entry.Start)) return;
  entry.DisplayDate = AppointmentDisplayDate(entry.Start, entry.End, window, fs);
  entry.Subject = appointment->Subject();
  entry.Location = appointment->Location();
  if (options.OpenOutlookItem) entry.EntryID = appointment->EntryID();
  consumer(entry, window.referenceMoment);
}

}  // namespace

void CalendarQuery(NameSpace& ns, const CalendarQueryOptions& options, const FormatSettings& fs,
                   AutomationDate now, const AppointmentConsumer& consumer) {
  const std::shared_ptr<MAPIFolder> folder = ns.GetDefaultFolder(kFolderCalendar);
  if (folder == nullptr) throw AutomationError("The Calendar folder could not be opened.");
  const std::shared_ptr<Items> items = folder->Items();
  if (items == nullptr)
    throw AutomationError("The items of the Calendar folder could not be read.");
  items->Sort("[Start]", false);
  items->SetIncludeRecurrences(true);
  const CalendarWindow window = CalendarWindowFor(options, now);
  for (std::shared_ptr<OutlookItem> item = items->Find(CalendarFilterText(options, window, fs));
       item != nullptr; item = items->FindNext()) {
    try {
      HandleAppointment(*item, options, window, fs, consumer);
    } catch (const std::exception&) {
      // One unreadable appointment, or one the display could not take, must
      // not cost the user the rest of the calendar.
    }
  }
}

}  // namespace lumivane
