#pragma once
// Dates and times written for the display, in the user's regional formats.
// The same-day, same-minute and filter date texts live one layer down, where
// the queries use them too, and are reached through this header as well.
#include <string>

#include "base/AutomationDate.h"
#include "i18n/DateTexts.h"  // IsSameDay, MinuteText, FilterDateText
#include "i18n/FormatSettings.h"
#include "i18n/TLanguage.h"

namespace lumivane {

// "Today" or "Tomorrow" (translated) when useTodayTomorrow is on and the date
// is today or the day after; otherwise the full weekday name.
std::string DayCaption(AutomationDate date, AutomationDate today, bool useTodayTomorrow,
                       const TLanguage& language, const FormatSettings& fs);

// The date in brackets of a long day heading: "d/mmm".
std::string DayHeadingDateText(AutomationDate date, const FormatSettings& fs);

// The short date; when the time of day is not midnight, a blank and the long time.
std::string DateTimeText(AutomationDate date, const FormatSettings& fs);
// The same, written at the end of `out`.
void AppendDateTimeText(std::string& out, AutomationDate date, const FormatSettings& fs);

}  // namespace lumivane
