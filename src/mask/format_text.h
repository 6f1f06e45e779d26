// FormatText and the number parsers: display text for raw text under a compiled mask.
#pragma once

#include <string>
#include <string_view>

#include "base/variant.h"
#include "mask/compiled_mask.h"

namespace orvo {

// Everything FormatText reads of a control.
struct FormatContext {
  const CompiledMask& compiled;
  std::string_view mask;  // Mask as set ("" formats nothing)
  TipoDeCampo kind;
  bool hasListFields;
  std::string_view stuffChar;         // StuffChar
  std::string_view decimalSeparator;  // gDecimalSeparator
  std::string_view groupSeparator;    // gGroupSeparator
};

// The display text for raw text `st`: "1234,5" -> "1.234,50" under "#.##0,00".
std::string FormatText(const FormatContext& ctx, std::string_view st);

// Locale-aware leading-number parsers ("1.234,5" -> 1234.5 when the separator is ",").
double ParseNumber(std::string_view text, std::string_view decimalSeparator);
// "" -> Integer 0; otherwise Double ParseNumber(text).
Variant NumericValue(std::string_view text, std::string_view decimalSeparator);

}  // namespace orvo
