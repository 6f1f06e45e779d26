// Pieces of the criteria and statements the lookup writes: bracketed names and value
// comparison as the classic variant "=" does it.
#pragma once

#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "base/variant.h"

namespace orvo {

// "Cod Cli" -> "[Cod Cli]": a name with a space, "-", "/" or "~" is enclosed unless it
// already begins with "[" or ends with "]"; "t.Cod Cli" is treated on each side of the
// first ".".
std::string BracketName(const std::string& name);

// "[Cod Cli]=..." : the criterion that finds `value` in the bound column. Texts are quoted
// with their quotes doubled (O'Neil stays one literal); numbers take "." as the decimal
// point whatever the locale; dates are written CDate('<short date>') for the family with
// NoMatch (`seekFamily`) and '<yyyy/mm/dd hh:mm:ss>' for the other.
std::string LocateCriterion(const std::string& boundColumn, const Variant& value, bool seekFamily,
                            const LocaleSettings& loc);

// Equality as the classic "=" on variants: numbers (and dates, booleans) numerically, a
// numeric text against a number as a number, texts byte for byte. Null equals nothing.
bool LooseEqual(const Variant& a, const Variant& b, const LocaleSettings& loc);

// A key part against a record's field: as LooseEqual, but texts compare without regard to
// case, as the table's index does; otherwise a seek would land on "SP" for the key "sp" and
// the range check would then reject the very record the index matched.
bool KeyPartEqual(const Variant& key, const Variant& field, const LocaleSettings& loc);

// "[Tipo]='X' and Num = 7" -> {"[Tipo]='X'", "Num = 7"}: the clauses of a filter, split at
// each " AND " in any case and trimmed. A separator inside a '...' literal is part of the
// value ("Nome = 'Tom and Jerry'" is one clause).
std::vector<std::string> SplitFilterClauses(const std::string& filter);

// The value of a filter clause as the key holds it: "'O''Neil'" -> "O'Neil" (a quoted
// literal loses its quotes and reads a doubled quote as one); an unquoted value "7" or
// "A'1" loses every quote.
std::string FilterClauseValue(const std::string& text);

// The leading number of a text with "." as the decimal point (the filter's own syntax),
// 0 when there is none.
double LeadingNumber(const std::string& text);

}  // namespace orvo
