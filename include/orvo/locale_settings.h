// LocaleSettings: the regional settings that conversions and formats read, supplied by the host.
#pragma once

#include <array>
#include <string>

namespace orvo {

enum class DateOrder { DayMonthYear, MonthDayYear };

struct LocaleSettings {
  std::string decimalSeparator = ",";  // "sDecimal"; may be several characters
  std::string groupSeparator = ".";    // the locale's own digit grouping symbol
  DateOrder dateOrder = DateOrder::DayMonthYear;
  std::string shortDateFormat = "dd/mm/yyyy";  // picture of the named format "Short Date"
  std::string longDateFormat = "dddd, d \"de\" mmmm \"de\" yyyy";  // "Long Date"
  // A default-constructed LocaleSettings is the pt-BR preset, names included. Latin-1, written
  // in octal so that no escape runs into the next letter: "mar\347o", "s\341bado".
  std::array<std::string, 12> monthNames = {  // January first
      "janeiro", "fevereiro", "mar\347o", "abril",   "maio",     "junho",
      "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  std::array<std::string, 12> monthAbbrevs = {"jan", "fev", "mar", "abr", "mai", "jun",
                                              "jul", "ago", "set", "out", "nov", "dez"};
  std::array<std::string, 7> weekdayNames = {  // Sunday first
      "domingo",      "segunda-feira", "ter\347a-feira", "quarta-feira",
      "quinta-feira", "sexta-feira",   "s\341bado"};
  std::array<std::string, 7> weekdayAbbrevs = {"dom", "seg", "ter", "qua", "qui", "sex", "s\341b"};

  // Presets matching the play script's `locale` command.
  static LocaleSettings PtBR();  // ",", day-first, Portuguese names (the default)
  static LocaleSettings EnUS();  // ".", month-first, English names
  static LocaleSettings EnGB();  // ".", day-first, English names
  // "pt-BR", "en-US", "en-GB"; throws orvo::Error 5 for any other name.
  static LocaleSettings Named(const std::string& name);
};

}  // namespace orvo
