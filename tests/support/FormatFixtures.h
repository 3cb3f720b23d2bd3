#pragma once
// Two regional formats the display tests run under: one like en-US (month
// first, 12-hour clock) and one like de-DE (day first, 24-hour clock).
#include <string>

#include "i18n/FormatSettings.h"

namespace lumivane::test {

inline FormatSettings UsFormats() {
  FormatSettings fs;
  fs.shortDateFormat = "M/d/yyyy";
  fs.shortTimeFormat = "h:nn ampm";
  fs.longTimeFormat = "h:nn:ss ampm";
  fs.dateSeparator = "/";
  fs.timeSeparator = ":";
  fs.timeAMString = "AM";
  fs.timePMString = "PM";
  return fs;
}

inline FormatSettings GermanFormats() {
  FormatSettings fs;
  fs.shortDateFormat = "dd/mm/yyyy";
  fs.shortTimeFormat = "hh:nn";
  fs.longTimeFormat = "hh:nn:ss";
  fs.dateSeparator = ".";
  fs.timeSeparator = ":";
  fs.longMonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                       "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
  fs.shortMonthNames = {"Jan.", "Feb.", "M\xC3\xA4rz", "Apr.", "Mai",  "Juni",
                        "Juli", "Aug.", "Sept.",       "Okt.", "Nov.", "Dez."};
  fs.longDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                     "Donnerstag", "Freitag", "Samstag"};
  fs.shortDayNames = {"So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."};
  return fs;
}

}  // namespace lumivane::test
