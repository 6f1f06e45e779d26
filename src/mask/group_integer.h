// GroupIntegerText: the "#,##0" number format applied directly to an integer text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvo {

// What the number format "#,##0" gives for a text holding an integer, without going through
// Variant and Format: " 1234" -> "1.234" (with "." as the group separator), "-0012" -> "-12",
// "12-" -> "-12"; "" and texts that are no number ("-", "12a", "1 2") come back unchanged.
// Digits are kept exactly however many there are (no rounding through a double).
std::string GroupIntegerText(std::string_view text, std::string_view groupSeparator);

// Cuts an integer text after its `digits`-th digit. A sign or a blank takes no digit
// position, so "-1234" stays whole for four integer digits instead of losing its last digit.
void KeepIntegerDigits(std::string& text, int64_t digits);

}  // namespace orvo
