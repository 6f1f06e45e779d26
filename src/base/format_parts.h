// The two halves of Format, number pictures and date pictures, for use inside the base layer.
#pragma once

#include <string>
#include <string_view>

namespace orvo {

struct LocaleSettings;

// One section of a number picture ("#,##0.00", "0.", "0.0#%", "#,##0,"), already chosen.
// `value` is what that section shows (the negative section receives the magnitude).
std::string FormatNumberSection(double value, std::string_view section, bool addSign,
                                const LocaleSettings& loc);
// A whole number picture, sections "positive;negative;zero" included.
std::string FormatNumber(double value, std::string_view picture, const LocaleSettings& loc);
// A date picture over a serial: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss w q, AM/PM.
std::string FormatDate(double serial, std::string_view picture, const LocaleSettings& loc);
// True when the picture holds date or time tokens and no digit placeholder.
bool IsDatePicture(std::string_view picture);

}  // namespace orvo
