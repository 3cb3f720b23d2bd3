#include "display/DateTexts.h"

#include "i18n/DateFormat.h"

namespace lumivane {

std::string DayCaption(AutomationDate date, AutomationDate today, bool useTodayTomorrow,
                       const TLanguage& language, const FormatSettings& fs) {
  if (useTodayTomorrow) {
    if (IsSameDay(date, today, fs)) return language.LookupMessage("Today");
    if (IsSameDay(date, DateOf(today) + 1.0, fs)) return language.LookupMessage("Tomorrow");
  }
  return FormatDateTime("dddd", date, fs);
}

std::string DayHeadingDateText(AutomationDate date, const FormatSettings& fs) {
  return FormatDateTime("d/mmm", date, fs);
}

std::string DateTimeText(AutomationDate date, const FormatSettings& fs) {
  std::string text;
  AppendDateTimeText(text, date, fs);
  return text;
}

void AppendDateTimeText(std::string& out, AutomationDate date, const FormatSettings& fs) {
  AppendDateTime(out, fs.shortDateFormat, date, fs);
  const TimeOfDay t = DecodeTime(date);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) {
    out += ' ';
    AppendDateTime(out, fs.longTimeFormat, date, fs);
  }
}

}  // namespace lumivane
