// Bracketed names, loose equality and leading numbers for criteria and filters.
#include "lookup/criteria_text.h"

#include <cstdlib>

#include "base/strings.h"

namespace orvo {

namespace {

std::string BracketPart(const std::string& part) {
  if (part.find_first_of(" -/~") == std::string::npos) return part;
  if (!part.empty() && (part.front() == '[' || part.back() == ']')) return part;
  return "[" + part + "]";
}

}  // namespace

std::string BracketName(const std::string& name) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos) return BracketPart(name);
  return BracketPart(name.substr(0, dot)) + "." + BracketPart(name.substr(dot + 1));
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
  } catch (...) {
    return false;
  }
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
