#pragma once
// Dates and times written for the display, for comparisons and for the
// filter texts of the calendar query, all in the user's regional formats.
#include <string>

#include "i18n/AutomationDate.h"
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"

namespace lumivane {

// Whether two moments lie on the same calendar day, judged by their
// "mmmm d, yyyy" texts.
bool IsSameDay(AutomationDate a, AutomationDate b, const FormatSettings& fs);

// "Today" or "Tomorrow" (translated) when useTodayTomorrow is on and the date
// is today or the day after; otherwise the full weekday name.
std::string DayCaption(AutomationDate date, AutomationDate today, bool useTodayTomorrow,
                       const TLanguage& language, const FormatSettings& fs);

// The date in brackets of a long day heading: "d/mmm".
std::string DayHeadingDateText(AutomationDate date, const FormatSettings& fs);

// The short date; when the time of day is not midnight, a blank and the long time.
std::string DateTimeText(AutomationDate date, const FormatSettings& fs);

// "hh:nn": compares two times of day to the minute, as texts.
std::string MinuteText(AutomationDate date, const FormatSettings& fs);

enum class FilterBound { DayStart, DayEnd };

// A date in a filter text: the short date, a blank, then "00:00" for the start
// of the day or "23:59" for its end, with the locale's time separator. The
// time of day of `date` is never written.
std::string FilterDateText(AutomationDate date, FilterBound bound, const FormatSettings& fs);

}  // namespace lumivane
