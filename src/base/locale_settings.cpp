// The regional presets the hosts and the play scripts choose by name.
#include "base/locale_settings.h"

#include "base/error.h"

namespace orvo {

namespace {

void SetEnglishNames(LocaleSettings& loc) {
  loc.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                    "July",    "August",   "September", "October", "November", "December"};
  loc.monthAbbrevs = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  loc.weekdayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  loc.weekdayAbbrevs = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
}

}  // namespace

// The member defaults are the pt-BR settings.
LocaleSettings LocaleSettings::PtBR() {
  return LocaleSettings{};
}

LocaleSettings LocaleSettings::EnUS() {
  LocaleSettings loc;
  loc.decimalSeparator = ".";
  loc.groupSeparator = ",";
  loc.dateOrder = DateOrder::MonthDayYear;
  loc.shortDateFormat = "mm/dd/yyyy";
  loc.longDateFormat = "dddd, mmmm d, yyyy";
  SetEnglishNames(loc);
  return loc;
}

LocaleSettings LocaleSettings::EnGB() {
  LocaleSettings loc;
  loc.decimalSeparator = ".";
  loc.groupSeparator = ",";
  loc.dateOrder = DateOrder::DayMonthYear;
  loc.shortDateFormat = "dd/mm/yyyy";
  loc.longDateFormat = "dd mmmm yyyy";
  SetEnglishNames(loc);
  return loc;
}

LocaleSettings LocaleSettings::Named(const std::string& name) {
  if (name == "pt-BR") return PtBR();
  if (name == "en-US") return EnUS();
  if (name == "en-GB") return EnGB();
  RaiseError(err::kInvalidProcedureCall, "Unknown locale \"" + name + "\"");
}

}  // namespace orvo
