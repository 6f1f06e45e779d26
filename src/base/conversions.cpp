// The classic conversion functions (CStr, CDbl, CInt, CLng, CBool, CDate, IsNumeric, IsDate).
#include <cmath>
#include <limits>

#include "base/dates.h"
#include "base/error.h"
#include "base/locale_settings.h"
#include "base/number_text.h"
#include "base/strings.h"
#include "base/variant.h"

namespace orvo {

namespace {

constexpr int32_t kInvalidUseOfNull = 94;

[[noreturn]] void RaiseNull() {
  RaiseError(kInvalidUseOfNull, "Invalid use of Null");
}
[[noreturn]] void RaiseMismatch() {
  RaiseError(err::kTypeMismatch, "Type mismatch");
}
[[noreturn]] void RaiseOverflow() {
  RaiseError(err::kOverflow, "Overflow");
}

double TextToDouble(const std::string& text, const LocaleSettings& loc) {
  const NumberRead r = ReadNumberText(text, loc);
  if (r.status == NumberReadStatus::Overflow) RaiseOverflow();
  if (r.status != NumberReadStatus::Ok) RaiseMismatch();
  return r.value;
}

// The rounded value when it lies in [lo, hi]; NaN and everything outside raise overflow.
double RoundedInRange(double x, double lo, double hi) {
  const double r = RoundHalfEven(x);
  if (!(r >= lo && r <= hi)) RaiseOverflow();
  return r;
}

}  // namespace

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

std::string ToText(const Variant& v, const LocaleSettings& loc) {
  switch (v.Type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      RaiseNull();
    case VarType::Integer:
      return std::to_string(v.AsInteger());
    case VarType::Long:
      return std::to_string(v.AsLong());
    case VarType::Single:
      return SingleToText(v.AsSingle(), loc);
    case VarType::Double:
    case VarType::Currency:
      return DoubleToText(v.AsDouble(), loc);
    case VarType::Date:
      return DateToText(v.AsDouble(), loc);
    case VarType::String:
      return v.AsString();
    case VarType::Boolean:
      return v.AsBoolean() ? "True" : "False";
    default:
      RaiseMismatch();
  }
}

double ToDouble(const Variant& v, const LocaleSettings& loc) {
  switch (v.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      RaiseNull();
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Single:
      return v.AsSingle();
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      return v.AsDouble();
    case VarType::String:
      return TextToDouble(v.AsString(), loc);
    case VarType::Boolean:
      return v.AsBoolean() ? -1 : 0;
    default:
      RaiseMismatch();
  }
}

int16_t ToInteger(const Variant& v, const LocaleSettings& loc) {
  if (v.Type() == VarType::Integer) return v.AsInteger();
  return static_cast<int16_t>(RoundedInRange(ToDouble(v, loc), -32768.0, 32767.0));
}

int32_t ToLong(const Variant& v, const LocaleSettings& loc) {
  if (v.Type() == VarType::Long) return v.AsLong();
  return static_cast<int32_t>(RoundedInRange(ToDouble(v, loc), -2147483648.0, 2147483647.0));
}

bool ToBoolean(const Variant& v, const LocaleSettings& loc) {
  switch (v.Type()) {
    case VarType::Boolean:
      return v.AsBoolean();
    case VarType::String: {
      const std::string t = UCase(Trim(v.AsString()));
      if (t == "TRUE") return true;
      if (t == "FALSE") return false;
      return TextToDouble(v.AsString(), loc) != 0;
    }
    default: {
      // NaN is "not zero" for a comparison, but no boolean should come from it.
      const double d = ToDouble(v, loc);
      if (std::isnan(d)) RaiseOverflow();
      return d != 0;
    }
  }
}

bool IsNumeric(const Variant& v, const LocaleSettings& loc) {
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Boolean:
      return true;
    case VarType::String:
      return ReadNumberText(v.AsString(), loc).status == NumberReadStatus::Ok;
    default:
      return v.IsNumber();
  }
}

bool IsDate(const Variant& v, const LocaleSettings& loc) {
  if (v.Type() == VarType::Date) return true;
  if (v.Type() == VarType::String) return ParseDateText(v.AsString(), loc).has_value();
  return false;
}

double ToDate(const Variant& v, const LocaleSettings& loc) {
  switch (v.Type()) {
    case VarType::Null:
      RaiseNull();
    case VarType::Date:
      return v.AsDouble();
    case VarType::String: {
      const auto d = ParseDateText(v.AsString(), loc);
      if (!d) RaiseMismatch();
      return *d;
    }
    case VarType::Object:
      RaiseMismatch();
    default: {
      // Numbers are serials; only the serials of years 100..9999 are dates.
      const double d = ToDouble(v, loc);
      if (!IsValidSerial(d)) RaiseOverflow();
      return d;
    }
  }
}

}  // namespace orvo
