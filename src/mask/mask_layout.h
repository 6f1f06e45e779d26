// Literal layout of a template: telling raw input from laid-in literals, and laying them back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "mask/compiled_mask.h"

namespace orvo {

namespace detail {
inline constexpr std::array<bool, 256> kLiteralTable = [] {
  std::array<bool, 256> table{};
  for (char c : LiteralSet) table[static_cast<unsigned char>(c)] = true;
  return table;
}();
}  // namespace detail

inline bool IsLiteralChar(char c) {
  return detail::kLiteralTable[static_cast<unsigned char>(c)];
}

// What the layout routines need to know about a template, worked out once per call.
struct TemplateShape {
  std::string_view maskTemplate;
  TipoDeCampo kind = TipoDeCampo::Character;
  bool hasLiteral = false;  // some position is a LiteralSet character
  bool hasHash = false;     // "#" present: the space is raw input, not a literal

  TemplateShape() = default;
  TemplateShape(std::string_view tmpl, TipoDeCampo k);
};

// The text's first start-1 characters unchanged, then the characters from `start` (1-based)
// on that are raw input. Characters at "!", "a" and "X" positions are always raw input
// (those positions take any character, "." or "-" included), and so is a space at an "A",
// "N" or "#" position (at any class position when the template has "#"); elsewhere a
// LiteralSet character is a laid-in literal and goes.
// Positions markFrom..markTo-1 (1-based, half open) hold the deletion marks of a
// selection being replaced and go as well.
void StripLiteralsInPlace(std::string& text, const TemplateShape& shape, int64_t start,
                          int64_t markFrom = 0, int64_t markTo = 0);
std::string StripLiterals(const TemplateShape& shape, std::string_view text, int32_t start);

// The text's first `count` characters unchanged, then the rest with the template's literals
// laid in from template position count+1. A run of adjacent literals (") " in
// "(99) 9999-9999") is laid in whole before the next character. Literals are laid only
// before a remaining character, never after the last one. The result is cut to maxLength.
void InsertLiteralsInPlace(std::string& text, std::string_view maskTemplate, int64_t count,
                           size_t maxLength = std::string::npos);
std::string InsertLiterals(std::string_view maskTemplate, std::string_view text, int32_t count);

}  // namespace orvo
