// Variant: construction, raw access and identity comparison of variant values.
#include "base/variant.h"

#include <cassert>
#include <ostream>

#include "base/locale_settings.h"
#include "base/number_text.h"

namespace orvo {

Variant Variant::Null() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

Variant Variant::Date(double serial) {
  Variant v(serial);
  v.type_ = VarType::Date;
  return v;
}

Variant::Variant(int16_t v) : type_(VarType::Integer), value_(v) {}
Variant::Variant(int32_t v) : type_(VarType::Long), value_(v) {}
Variant::Variant(float v) : type_(VarType::Single), value_(v) {}
Variant::Variant(double v) : type_(VarType::Double), value_(v) {}
Variant::Variant(bool v) : type_(VarType::Boolean), value_(v) {}
Variant::Variant(std::string v) : type_(VarType::String), value_(std::move(v)) {}
// A null C string is taken as the empty text rather than undefined behaviour.
Variant::Variant(const char* v) : type_(VarType::String), value_(std::string(v ? v : "")) {}
Variant::Variant(std::shared_ptr<Object> v) : type_(VarType::Object), value_(std::move(v)) {}

bool Variant::IsNumber() const {
  return type_ == VarType::Integer || type_ == VarType::Long || type_ == VarType::Single ||
         type_ == VarType::Double || type_ == VarType::Currency;
}

int16_t Variant::AsInteger() const {
  assert(type_ == VarType::Integer);
  return std::get<int16_t>(value_);
}

int32_t Variant::AsLong() const {
  assert(type_ == VarType::Long);
  return std::get<int32_t>(value_);
}

float Variant::AsSingle() const {
  assert(type_ == VarType::Single);
  return std::get<float>(value_);
}

double Variant::AsDouble() const {
  assert(type_ == VarType::Double || type_ == VarType::Date || type_ == VarType::Currency);
  return std::get<double>(value_);
}

bool Variant::AsBoolean() const {
  assert(type_ == VarType::Boolean);
  return std::get<bool>(value_);
}

const std::string& Variant::AsString() const {
  assert(type_ == VarType::String);
  return std::get<std::string>(value_);
}

const std::shared_ptr<Object>& Variant::AsObject() const {
  assert(type_ == VarType::Object);
  return std::get<std::shared_ptr<Object>>(value_);
}

bool Variant::operator==(const Variant& other) const {
  return type_ == other.type_ && value_ == other.value_;
}

std::ostream& operator<<(std::ostream& os, const Variant& v) {
  static const LocaleSettings kPoint = LocaleSettings::EnUS();
  switch (v.Type()) {
    case VarType::Empty:
      return os << "Empty";
    case VarType::Null:
      return os << "Null";
    case VarType::Integer:
      return os << "Integer(" << v.AsInteger() << ")";
    case VarType::Long:
      return os << "Long(" << v.AsLong() << ")";
    case VarType::Single:
      return os << "Single(" << SingleToText(v.AsSingle(), kPoint) << ")";
    case VarType::Double:
      return os << "Double(" << DoubleToText(v.AsDouble(), kPoint) << ")";
    case VarType::Currency:
      return os << "Currency(" << DoubleToText(v.AsDouble(), kPoint) << ")";
    case VarType::Date:
      return os << "Date(" << DoubleToText(v.AsDouble(), kPoint) << ")";
    case VarType::String:
      return os << "String(\"" << v.AsString() << "\")";
    case VarType::Boolean:
      return os << (v.AsBoolean() ? "Boolean(True)" : "Boolean(False)");
    case VarType::Object:
      return os << (v.AsObject() ? "Object" : "Object(Nothing)");
    default:
      return os << "VarType(" << static_cast<int>(v.Type()) << ")";
  }
}

}  // namespace orvo
