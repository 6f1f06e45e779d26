// The values the lookup writes into criteria: an equality literal for a bound value and a
// prefix literal for the text typed so far.
//
// Every text literal is standard: quotes doubled, so no stored or typed text can end the
// literal early or change the criterion around it. Numbers take "." as their decimal point
// whatever the locale (12,5 written as is would split the criterion in two).
#pragma once

#include <cstdint>
#include <string>

#include "base/locale_settings.h"
#include "base/variant.h"

namespace orvo {

// Field kinds as the two recordset families report them.
bool IsTextFieldType(int16_t fieldType);  // 10, 12, 129, 200, 201
// 8 in the family with NoMatch; 7 and 135 in the other, where 7 is no Double.
bool IsDateFieldType(int16_t fieldType, bool seekFamily);
bool IsNumberLikeFieldType(int16_t fieldType);  // up to 7, and 19, 20, 21

// 'O''Neil': a text between quotes with each quote doubled.
std::string QuotedText(const std::string& text);

// The value `v` of a field of type `fieldType`, for "[Name]=" + literal:
// - texts quoted ('O''Neil');
// - dates CDate('<Short Date>') for the family with NoMatch (`seekFamily`), else
//   '<yyyy/mm/dd hh:mm:ss>';
// - anything else as a number read from v ("12,5" under pt-BR -> 12.5; a text that holds no
//   number reads as its leading number, 0 when none), so no text reaches the criterion
//   unquoted.
std::string EqualityLiteral(const Variant& v, int16_t fieldType, bool seekFamily,
                            const LocaleSettings& loc);

// The typed text `s` for "[Name] LIKE " + literal: 'SIL*' (with NoMatch) or 'SIL%'. A typed
// wildcard is matched as itself: * ? % _ # and [ are written as one-character classes
// ("50%" -> '50[%]*'). Dates and numbers as in EqualityLiteral.
std::string PrefixLiteral(const std::string& s, int16_t fieldType, bool seekFamily,
                          const LocaleSettings& loc);

}  // namespace orvo
