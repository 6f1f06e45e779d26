// Serial date arithmetic: days since 1899-12-30, the time of day as the fraction.
#include "base/dates.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <mutex>

#include "base/error.h"
#include "base/locale_settings.h"

namespace orvo {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);
constexpr double kFirstSerial = -657434;  // 100-01-01
constexpr double kLastSerial = 2958465;   // 9999-12-31

std::mutex gYearSourceMutex;
std::function<int()> gYearSource;

}  // namespace

void SetCurrentYearSource(std::function<int()> source) {
  std::lock_guard lock(gYearSourceMutex);
  gYearSource = std::move(source);
}

int CurrentYear() {
  {
    std::lock_guard lock(gYearSourceMutex);
    if (gYearSource) return gYearSource();
  }
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return static_cast<int>(std::chrono::year_month_day(today).year());
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

double DateSerial(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) {
    RaiseError(err::kInvalidProcedureCall, "Invalid date " + std::to_string(year) + "-" +
                                               std::to_string(month) + "-" + std::to_string(day));
  }
  return static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
}

double TimeSerial(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

bool IsValidSerial(double serial) {
  return serial > kFirstSerial - 1 && serial < kLastSerial + 1;
}

// Negative serials keep the time as a positive fraction: -1.25 is 1899-12-29 06:00.
// Out-of-range serials (and NaN) are clamped to the ends of the date range.
DateParts SplitDate(double serial) {
  if (std::isnan(serial)) serial = 0;
  serial = std::fmax(kFirstSerial, std::fmin(serial, kLastSerial + 0.99998));
  double days = std::trunc(serial);
  auto seconds = static_cast<int64_t>(std::llround(std::fabs(serial - days) * 86400.0));
  if (seconds >= 86400) {
    seconds -= 86400;
    days += serial < 0 ? -1 : 1;  // a whole day away from 0, as the time is
  }
  DateParts p;
  CivilFromDays(static_cast<int64_t>(days) + kEpoch, p.year, p.month, p.day);
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

int Weekday(double serial) {
  const DateParts p = SplitDate(serial);
  const int64_t days = DaysFromCivil(p.year, p.month, p.day) - kEpoch;
  return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;  // serial 0 was a Saturday
}

double AddMonths(double serial, int months) {
  const DateParts p = SplitDate(serial);
  const int64_t index = int64_t{p.year} * 12 + (p.month - 1) + months;
  const auto year = static_cast<int>(std::min<int64_t>(std::max<int64_t>(index / 12, 0), 99999));
  const int month = static_cast<int>(index % 12) + 1;
  if (index < 0 || year < 100 || year > 9999) {
    RaiseError(err::kInvalidProcedureCall, "Date out of range");
  }
  const int day = std::min(p.day, DaysInMonth(year, month));
  const double time = TimeSerial(p.hour, p.minute, p.second);
  const double base = DateSerial(year, month, day);
  return base < 0 ? base - time : base + time;
}

}  // namespace orvo
