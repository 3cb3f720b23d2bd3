#include "i18n/DateTexts.h"

#include "i18n/DateFormat.h"

namespace lumivane {

bool IsSameDay(AutomationDate a, AutomationDate b, const FormatSettings&) {
  // Equal "mmmm d, yyyy" texts are equal calendar dates (month names differ
  // in every locale), so the dates are compared without writing them: this
  // runs several times for every appointment of every refresh.
  return DayNumber(a) == DayNumber(b);
}

std::string MinuteText(AutomationDate date, const FormatSettings& fs) {
  return FormatDateTime("hh:nn", date, fs);
}

std::string FilterDateText(AutomationDate date, FilterBound bound, const FormatSettings& fs) {
  std::string text = FormatDateTime(fs.shortDateFormat, DateOf(date), fs);
  text += bound == FilterBound::DayStart ? " 00" : " 23";
  text += fs.timeSeparator;
  text += bound == FilterBound::DayStart ? "00" : "59";
  return text;
}

}  // namespace lumivane
