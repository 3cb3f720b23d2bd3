#pragma once
// A sample calendar store dated around a given moment, for trying the program
// without a calendar of one's own: a week of appointments (one running at
// that moment, an all-day and a multi-day event, a weekly series with a moved
// and a skipped instance, one over midnight, one on the weekend) and tasks of
// every kind (overdue, due today, due later, without a date, of all three
// importances, one completed).
#include <string>
#include <vector>

#include "base/AutomationDate.h"

namespace lumivane {

inline constexpr const char* kSampleFiles[] = {"sample-calendar.ics", "sample-tasks.ics"};

// The calendar files of a folder other than the sample's own: its other .ics
// files and its folders holding .ics files (named with a trailing "/").
std::vector<std::string> CalendarFilesBesideSample(const std::string& folder);

// Creates the folder when needed and writes "sample-calendar.ics" and
// "sample-tasks.ics" into it (replacing earlier sample files, nothing else).
// now is a local automation date. Returns the paths written;
// std::runtime_error when the folder already holds other calendar files, or
// when the folder or a file cannot be written.
std::vector<std::string> WriteSampleStore(const std::string& folder, AutomationDate now);

}  // namespace lumivane
