#pragma once
// Date texts that are compared or sent to the automation server, never shown:
// the same-day and same-minute tests and the dates of the filter texts, all
// written in the user's regional formats.
#include <string>

#include "base/AutomationDate.h"
#include "i18n/FormatSettings.h"

namespace lumivane {

// Whether two moments lie on the same calendar day: their "mmmm d, yyyy"
// texts would be equal.
bool IsSameDay(AutomationDate a, AutomationDate b, const FormatSettings& fs);

// "hh:nn": compares two times of day to the minute, as texts.
std::string MinuteText(AutomationDate date, const FormatSettings& fs);

enum class FilterBound { DayStart, DayEnd };

// A date in a filter text: the short date, a blank, then "00:00" for the start
// of the day or "23:59" for its end, with the locale's time separator. The
// time of day of `date` is never written.
std::string FilterDateText(AutomationDate date, FilterBound bound, const FormatSettings& fs);

}  // namespace lumivane
