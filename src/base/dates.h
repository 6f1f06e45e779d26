// Serial dates: days since 1899-12-30 as a double, the time of day as the fraction.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orvo {

struct LocaleSettings;

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// Valid years are 100..9999, as the classic date type allows.
bool IsValidDate(int year, int month, int day);
bool IsLeapYear(int year);
// Raises orvo::Error 5 for an invalid date (DateSerial does not roll over here).
double DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);
DateParts SplitDate(double serial);
// 1 = Sunday ... 7 = Saturday.
int Weekday(double serial);
int DaysInMonth(int year, int month);
// The date one month earlier/later than the given first of month, carrying into the year.
double AddMonths(double serial, int months);

// Reads a date text under the locale's date order: "25/12/2024", "25-12-24", "2024-12-25",
// "25/12/2024 13:45:00", "13:45", "25/dez/2024" (month names and abbreviations), two-digit
// years as the classic rule (00-29 -> 20xx, 30-99 -> 19xx), "25/12" in CurrentYear(), "12/2024"
// the first of the month. nullopt when it is no date.
std::optional<double> ParseDateText(const std::string& text, const LocaleSettings& loc);

// The year a day-and-month text ("25/12") falls in: the classic reading takes today's year.
// Hosts install their clock here; with none installed it is the system clock's year.
void SetCurrentYearSource(std::function<int()> source);
int CurrentYear();

// A serial inside the years 100..9999 (NaN and infinities are not).
bool IsValidSerial(double serial);
// The classic text of a date: the short date format, then " hh:mm:ss" when there is a time
// of day; a serial with no date part (days 0) prints the time alone: "13:45:00".
std::string DateToText(double serial, const LocaleSettings& loc);

}  // namespace orvo
