#pragma once
// Automation dates: days since 30 December 1899 00:00 local time as a double,
// the fraction being the time of day. Every date in the program is one.

namespace lumivane {

using AutomationDate = double;

struct CivilDate {
  int year = 1899;
  int month = 12;  // 1..12
  int day = 30;    // 1..31
};

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The whole-day part of an automation date (also correct before 1899, where
// the encoding counts the fraction forward from a negative day).
AutomationDate DateOf(AutomationDate date);
double TimeFractionOf(AutomationDate date);

AutomationDate EncodeDate(int year, int month, int day);
AutomationDate EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0,
                              int millisecond = 0);
CivilDate DecodeDate(AutomationDate date);
// The calendar day DecodeDate gives, as a count of days (1899-12-30 is 0):
// two dates fall on the same calendar day exactly when their day numbers are
// equal, which is cheaper to learn than their civil dates.
long long DayNumber(AutomationDate date);
// Rounded to the nearest millisecond, so 10:00 read from a double stays 10:00.
TimeOfDay DecodeTime(AutomationDate date);
// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(AutomationDate date);
bool IsValidCivilDate(int year, int month, int day);
int DaysInMonth(int year, int month);

}  // namespace lumivane
