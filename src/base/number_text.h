// Numbers to and from text under a locale: the reading behind CDbl/IsNumeric, the shortest writing
// behind CStr.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

struct LocaleSettings;

enum class NumberReadStatus { Ok, NotANumber, Overflow };

struct NumberRead {
  NumberReadStatus status = NumberReadStatus::NotANumber;
  double value = 0;
};

// Optional surrounding blanks, a sign, digits with the locale's group separator (or the
// no-break space, 160) allowed between digits, the locale's decimal separator, and an
// exponent E/e with an optional sign: " -1.234,5e2 " -> -123450 under pt-BR.
// Values beyond the double range read as Overflow; values below it read as zero.
NumberRead ReadNumberText(std::string_view text, const LocaleSettings& loc);

// The locale's decimal separator, or "." when the host supplied none: an empty one would
// glue the fraction to the integer digits ("1234,5" written as "12345").
const std::string& DecimalMark(const LocaleSettings& loc);

// The shortest text that reads back to the same value, with the locale's decimal separator.
std::string DoubleToText(double v, const LocaleSettings& loc);
std::string SingleToText(float v, const LocaleSettings& loc);

}  // namespace orvo
