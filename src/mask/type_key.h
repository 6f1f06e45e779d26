// TypeKey: one typed character, Backspace or delete laid into a text by the template.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mask/compiled_mask.h"
#include "mask/mask_layout.h"

namespace orvo {

// What one key needs, worked out once per ApplyKey call (a paste reuses it per character).
struct KeyContext {
  const CompiledMask& compiled;
  TemplateShape shape;  // over the template in force ("@A": EffectiveMaxLength "A"s)
  bool numeric = false;
  std::string_view decimalSeparator;
  std::string_view groupSeparator;
  int64_t maxLength = 0;  // EffectiveMaxLength
  bool locked = false;    // read-only or disabled
};

enum class TypeResult {
  Written,  // the text was rebuilt and goes back to the box
  Ignored,  // a control character: nothing written
  Refused,  // the box is read-only or disabled: nothing written
};

// The text being edited; positions 0-based, already clamped to the text.
struct TypingState {
  std::string text;
  int64_t selStart = 0;
  int64_t selLength = 0;
  bool beep = false;
};

TypeResult TypeKey(const KeyContext& ctx, TypingState& st, int k);

// Numeric regrouping after a key: "1234" -> "1.234" under "#.##0,00". `groupsBefore` is the
// count of group separators before the key; the caret `p` (1-based) follows its digit.
void RegroupNumber(const KeyContext& ctx, std::string& s, int64_t& p, int64_t groupsBefore, int k);

int64_t CountOf(std::string_view text, std::string_view what);

}  // namespace orvo
