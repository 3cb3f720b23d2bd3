#pragma once
// What the calendar and task queries hand to their consumer, one entry at a
// time and in the server's order: the values of one retained item.
#include <functional>
#include <string>

#include "base/AutomationDate.h"

namespace lumivane {

struct AppointmentEntry {
  AutomationDate Start = 0;
  AutomationDate End = 0;
  bool AllDayEvent = false;
  std::string Subject;
  std::string Location;
  std::string EntryID;
  // The day the appointment is listed under: its start, or today for one
  // that began before today and ends on another day.
  AutomationDate DisplayDate = 0;
};

struct TaskEntry {
  std::string Subject;
  std::string EntryID;
  bool Complete = false;
  int Importance = 1;           // 0 low, 1 normal, 2 high
  AutomationDate DueDate = 0;   // NoDate when none
  AutomationDate TaskDate = 0;  // the due or start date, as TaskDateType selects
};

// The reference moment (today, or now with ShowPreciseCalendar) comes with
// every appointment, so that the consumer can start its day headings from it.
using AppointmentConsumer =
    std::function<void(const AppointmentEntry& entry, AutomationDate referenceMoment)>;
using TaskConsumer = std::function<void(const TaskEntry& entry)>;

}  // namespace lumivane
