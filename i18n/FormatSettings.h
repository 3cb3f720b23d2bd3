#pragma once
// The user's regional formats, in the pattern letters of FormatDateTime
// (d dd ddd dddd, m mm mmm mmmm, yy yyyy, h hh, n nn, s ss, am/pm, ampm,
// "/" and ":" for the separators, quoted literals). Filled once from the
// desktop's locale by the platform layer; every routine takes it as a value.
#include <array>
#include <string>

namespace lumivane {

struct FormatSettings {
  std::string shortDateFormat = "yyyy-mm-dd";
  std::string longTimeFormat = "hh:nn:ss";
  std::string shortTimeFormat = "hh:nn";
  std::string dateSeparator = "-";
  std::string timeSeparator = ":";
  std::string timeAMString = "AM";
  std::string timePMString = "PM";
  // Index 0 is January.
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  // Index 0 is Sunday.
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
};

}  // namespace lumivane
