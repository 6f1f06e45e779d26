// Script tokens read as values: numbers, strings, true/false/empty/null and date literals.
#pragma once

#include <optional>
#include <string>

#include "orvo/variant.h"
#include "script_lexer.h"

namespace orvo::play {

// The value a token writes, typed as the classic literals are: whole numbers as Integer
// when they fit 16 bits, else Long, else Double; decimals with a point as Double; dates as
// Date. nullopt when the token is no value (`fault` then says why).
std::optional<Variant> ValueOf(const Token& token, LexFault& fault);

// A whole-number word ("-5", "12"); nullopt for anything else or out of the 32-bit range.
std::optional<int32_t> WholeNumberOf(const Token& token);

}  // namespace orvo::play
