// Writing Variants into the transcript.
#include "rendering.h"

#include <cstdio>

#include "base/dates.h"
#include "base/number_text.h"
#include "orvo/locale_settings.h"

namespace orvo::play {

namespace {

const LocaleSettings& PointLocale() {
  static const LocaleSettings loc = [] {
    LocaleSettings l = LocaleSettings::EnUS();
    l.decimalSeparator = ".";
    l.groupSeparator = ",";
    return l;
  }();
  return loc;
}

std::string DateText(double serial) {
  DateParts p = SplitDate(serial);
  char buf[48];
  if (p.hour == 0 && p.minute == 0 && p.second == 0) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.year, p.month, p.day);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
  }
  return buf;
}

}  // namespace

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 32 || u >= 127) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string NumberText(double v) {
  return DoubleToText(v, PointLocale());
}
std::string NumberText(float v) {
  return SingleToText(v, PointLocale());
}

std::string Render(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Integer:
      return "Integer " + std::to_string(v.AsInteger());
    case VarType::Long:
      return "Long " + std::to_string(v.AsLong());
    case VarType::Single:
      return "Single " + NumberText(v.AsSingle());
    case VarType::Double:
      return "Double " + NumberText(v.AsDouble());
    case VarType::Currency:
      return "Currency " + NumberText(v.AsDouble());
    case VarType::Date:
      return "Date " + DateText(v.AsDouble());
    case VarType::String:
      return "String " + QuoteText(v.AsString());
    case VarType::Boolean:
      return v.AsBoolean() ? "Boolean True" : "Boolean False";
    case VarType::Object:
      return v.AsObject() ? "Object" : "Object Nothing";
    case VarType::Error:
      return "Error";
    case VarType::Variant:
      return "Variant";
  }
  return "?";
}

}  // namespace orvo::play
