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

LocaleSettings LocaleSettings::PtBR() {
  LocaleSettings loc;
  loc.decimalSeparator = ",";
  loc.groupSeparator = ".";
  loc.dateOrder = DateOrder::DayMonthYear;
  loc.shortDateFormat = "dd/mm/yyyy";
  loc.longDateFormat = "dddd, d \"de\" mmmm \"de\" yyyy";
  // Latin-1: "mar\xE7o" is "março".
  loc.monthNames = {"janeiro", "fevereiro", "mar\xE7o", "abril",   "maio",     "junho",
                    "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  loc.monthAbbrevs = {"jan", "fev", "mar", "abr", "mai", "jun",
                      "jul", "ago", "set", "out", "nov", "dez"};
  loc.weekdayNames = {"domingo",
                      "segunda-feira",
                      "ter\xE7"
                      "a-feira",
                      "quarta-feira",
                      "quinta-feira",
                      "sexta-feira",
                      "s\xE1"
                      "bado"};
  loc.weekdayAbbrevs = {"dom",
                        "seg",
                        "ter",
                        "qua",
                        "qui",
                        "sex",
                        "s\xE1"
                        "b"};
  return loc;
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
