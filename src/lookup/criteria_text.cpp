// Bracketed names, loose equality and leading numbers for criteria and filters.
#include "lookup/criteria_text.h"

#include <cstdlib>

#include "base/error.h"
#include "base/format.h"
#include "base/strings.h"

namespace orvo {

namespace {

std::string BracketPart(const std::string& part) {
  if (part.find_first_of(" -/~") == std::string::npos) return part;
  if (!part.empty() && (part.front() == '[' || part.back() == ']')) return part;
  return "[" + part + "]";
}

// A value in a criterion. Numbers are written with "." as the criterion's decimal point
// (1234,5 in a comma locale would otherwise read as two numbers).
std::string CriterionLiteral(const Variant& v, const LocaleSettings& loc) {
  if (v.Type() == VarType::String || v.Type() == VarType::Variant)
    return "'" + ReplaceChars(v.AsString(), "'", "''", false) + "'";
  if (v.IsNumber()) {
    LocaleSettings invariant = loc;
    invariant.decimalSeparator = ".";
    invariant.groupSeparator = ",";
    return ToText(v, invariant);
  }
  return ToText(v, loc);
}

}  // namespace

std::string BracketName(const std::string& name) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos) return BracketPart(name);
  return BracketPart(name.substr(0, dot)) + "." + BracketPart(name.substr(dot + 1));
}

std::string LocateCriterion(const std::string& boundColumn, const Variant& value, bool seekFamily,
                            const LocaleSettings& loc) {
  const std::string name = BracketName(boundColumn) + "=";
  if (value.Type() != VarType::Date) return name + CriterionLiteral(value, loc);
  return seekFamily ? name + "CDate('" + Format(value, "Short Date", loc) + "')"
                    : name + "'" + Format(value, "yyyy/mm/dd hh:mm:ss", loc) + "'";
}

bool LooseEqual(const Variant& a, const Variant& b, const LocaleSettings& loc) {
  if (a.IsNull() || b.IsNull()) return false;
  const bool aText = a.Type() == VarType::String, bText = b.Type() == VarType::String;
  if (aText && bText) return a.AsString() == b.AsString();
  if (a.IsEmpty() && b.IsEmpty()) return true;
  try {
    if (aText && !IsNumeric(a, loc)) return false;
    if (bText && !IsNumeric(b, loc)) return false;
    return ToDouble(a, loc) == ToDouble(b, loc);
  } catch (const Error&) {
    return false;
  }
}

bool KeyPartEqual(const Variant& key, const Variant& field, const LocaleSettings& loc) {
  if (key.Type() == VarType::String && field.Type() == VarType::String)
    return UCase(key.AsString()) == UCase(field.AsString());
  return LooseEqual(key, field, loc);
}

std::vector<std::string> SplitFilterClauses(const std::string& filter) {
  std::vector<std::string> clauses;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < filter.size(); ++i) {
    if (filter[i] == '\'') {
      quoted = !quoted;  // a doubled quote toggles twice and stays inside
    } else if (!quoted && filter[i] == ' ' && i + 5 <= filter.size() &&
               UCase(filter.substr(i, 5)) == " AND ") {
      clauses.push_back(Trim(filter.substr(start, i - start)));
      start = i + 5;
      i += 4;
    }
  }
  clauses.push_back(Trim(filter.substr(start)));
  return clauses;
}

std::string FilterClauseValue(const std::string& text) {
  const std::string t = Trim(text);
  if (t.size() >= 2 && t.front() == '\'' && t.back() == '\'')
    return ReplaceChars(t.substr(1, t.size() - 2), "''", "'", false);
  return RemoveChars(t, "'", false);
}

double LeadingNumber(const std::string& text) {
  const std::string t = Trim(text);
  size_t i = 0;
  auto digits = [&] {
    size_t from = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i > from;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  bool any = digits();
  if (i < t.size() && t[i] == '.') {
    ++i;
    any = digits() || any;
  }
  if (!any) return 0.0;
  size_t mantissaEnd = i;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (!digits()) i = mantissaEnd;
  }
  return std::strtod(t.substr(0, i).c_str(), nullptr);
}

}  // namespace orvo
