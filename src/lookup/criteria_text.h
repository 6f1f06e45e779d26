// Pieces of the criteria and statements the lookup writes: bracketed names and value
// comparison as the classic variant "=" does it.
#pragma once

#include <string>

#include "base/locale_settings.h"
#include "base/variant.h"

namespace orvo {

// "Cod Cli" -> "[Cod Cli]": a name with a space, "-", "/" or "~" is enclosed unless it
// already begins with "[" or ends with "]"; "t.Cod Cli" is treated on each side of the
// first ".".
std::string BracketName(const std::string& name);

// Equality as the classic "=" on variants: numbers (and dates, booleans) numerically, a
// numeric text against a number as a number, texts byte for byte. Null equals nothing.
bool LooseEqual(const Variant& a, const Variant& b, const LocaleSettings& loc);

// The leading number of a text with "." as the decimal point (the filter's own syntax),
// 0 when there is none.
double LeadingNumber(const std::string& text);

}  // namespace orvo
