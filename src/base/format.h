// Format: the classic Format function for the number and date pictures the control uses.
#pragma once

#include <string>

#include "variant.h"

namespace orvo {

struct LocaleSettings;

// Number pictures: '#', '0', '.' (decimal point) and ',' (grouping) as in "#,##0",
// "####0.00", "0.", rendered with the locale's separators ("1.234,50" under pt-BR); also
// '%', scaling commas ("#,##0,"), "0.00E+00", quoted and \-escaped literals and the sections
// "positive;negative;zero". Rounding is half away from zero on the value's 15 significant
// digits, as the classic Format rounds (1.005 -> "1.01" under "0.00").
// Date pictures: d dd m mm mmm mmmm yy yyyy h hh n nn s ss, where "m" right after "h" or
// right before "s" means minutes; the named formats "Short Date" (and "Short date"),
// "Long Date", "General Date", "Short Time", "Long Time".
// The value: numbers format as numbers; dates as dates; a text is read as a number when it
// is numeric under the locale (number pictures), else as a date when it is a date text
// (date pictures), else it is returned unchanged. Empty and an empty text format as "";
// Null formats as "". Never raises for any picture: characters it does not know are copied.
std::string Format(const Variant& value, const std::string& picture, const LocaleSettings& loc);

}  // namespace orvo
