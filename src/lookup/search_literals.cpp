// Equality and prefix literals for the lookup's criteria.
#include "lookup/search_literals.h"

#include "base/format.h"
#include "base/number_text.h"
#include "base/strings.h"
#include "base/variant.h"
#include "lookup/recordset.h"
#include "mask/format_text.h"

namespace orvo {

namespace {

std::string InvariantNumber(double v, const LocaleSettings& loc) {
  LocaleSettings invariant = loc;
  invariant.decimalSeparator = ".";
  invariant.groupSeparator = ",";
  return DoubleToText(v, invariant);
}

// A number from any variant: numbers as they are, texts read with the locale's decimal
// separator up to the first character that is not part of a number.
double NumberOf(const Variant& v, const LocaleSettings& loc) {
  if (v.IsNumber()) return ToDouble(v, loc);
  if (v.IsNull() || v.IsEmpty()) return 0;
  return ParseNumber(ToText(v, loc), DecimalMark(loc));
}

std::string DateLiteral(const Variant& v, bool seekFamily, const LocaleSettings& loc) {
  if (seekFamily) return "CDate(" + QuotedText(Format(v, "Short Date", loc)) + ")";
  return QuotedText(Format(v, "yyyy/mm/dd hh:mm:ss", loc));
}

}  // namespace

bool IsTextFieldType(int16_t t) {
  return t == fieldtype::kText || t == fieldtype::kMemo || t == fieldtype::kAdChar ||
         t == fieldtype::kAdVarChar || t == fieldtype::kAdLongVarChar;
}

bool IsDateFieldType(int16_t t, bool seekFamily) {
  if (seekFamily) return t == fieldtype::kDate;
  return t == fieldtype::kAdDate || t == fieldtype::kAdDBTimeStamp;
}

bool IsNumberLikeFieldType(int16_t t) {
  return t <= 7 || t == 19 || t == 20 || t == 21;
}

std::string QuotedText(const std::string& text) {
  return "'" + ReplaceChars(text, "'", "''", false) + "'";
}

std::string EqualityLiteral(const Variant& v, int16_t fieldType, bool seekFamily,
                            const LocaleSettings& loc) {
  if (IsTextFieldType(fieldType)) return QuotedText(ToText(v, loc));
  if (IsDateFieldType(fieldType, seekFamily)) return DateLiteral(v, seekFamily, loc);
  return InvariantNumber(NumberOf(v, loc), loc);
}

std::string PrefixLiteral(const std::string& s, int16_t fieldType, bool seekFamily,
                          const LocaleSettings& loc) {
  if (IsDateFieldType(fieldType, seekFamily)) return DateLiteral(Variant(s), seekFamily, loc);
  if (!IsTextFieldType(fieldType)) return InvariantNumber(NumberOf(Variant(s), loc), loc);
  std::string pattern;
  pattern.reserve(s.size() + 4);
  for (char c : s) {
    if (c == '*' || c == '?' || c == '%' || c == '_' || c == '#' || c == '[') {
      pattern += '[';
      pattern += c;
      pattern += ']';
    } else {
      pattern += c;
    }
  }
  pattern += seekFamily ? '*' : '%';
  return QuotedText(pattern);
}

}  // namespace orvo
