// Variant: the interface's variant values (Empty, Null, numbers, Date, String, Boolean, Object).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <variant>

namespace orvo {

struct LocaleSettings;

// Type codes as the classic VarType reports them.
enum class VarType : int16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,
};

// Base of everything a Variant may hold by reference: fonts, pictures, recordsets.
class Object {
 public:
  virtual ~Object() = default;
};

class Variant {
 public:
  Variant() = default;  // Empty
  static Variant Null();
  static Variant Date(double serial);  // days since 1899-12-30, time as the fraction
  Variant(int16_t v);                  // Integer
  Variant(int32_t v);                  // Long
  Variant(float v);                    // Single
  Variant(double v);                   // Double
  Variant(bool v);                     // Boolean
  Variant(std::string v);              // String (Latin-1 bytes)
  Variant(const char* v);              // String
  Variant(std::shared_ptr<Object> v);  // Object (a null pointer is the object "Nothing")

  VarType Type() const { return type_; }
  bool IsEmpty() const { return type_ == VarType::Empty; }
  bool IsNull() const { return type_ == VarType::Null; }
  bool IsObject() const { return type_ == VarType::Object; }
  // Integer, Long, Single, Double, Currency (type codes 2 to 6).
  bool IsNumber() const;

  // Raw access; each asserts the type.
  int16_t AsInteger() const;
  int32_t AsLong() const;
  float AsSingle() const;
  double AsDouble() const;  // also for Date: the serial
  bool AsBoolean() const;
  const std::string& AsString() const;
  const std::shared_ptr<Object>& AsObject() const;

  // Same type and same value (objects: same reference). Not the language's "=".
  bool operator==(const Variant& other) const;

 private:
  VarType type_ = VarType::Empty;
  std::variant<std::monostate, int16_t, int32_t, float, double, bool, std::string,
               std::shared_ptr<Object>>
      value_;
};

// For test failure messages and logs: Double(1234.5), String("abc"), Date(45651.5), Null.
std::ostream& operator<<(std::ostream& os, const Variant& v);

// Conversions, as the classic conversion functions do them under a locale.
// Each raises orvo::Error 13 (type mismatch) or 6 (overflow) where those did.

// CStr: numbers with the locale's decimal separator and the shortest text that reads back
// (1234.5 -> "1234,5"), plain from 1E-04 to below 1E+15 and in exponent form outside that
// ("1E+15", "1E-05"; Singles from 1E+07); NaN "NaN", infinities "Inf"/"-Inf"; dates in the short
// date format with a time when there is one; booleans "True"/"False"; Empty ""; Null raises 94
// (invalid use of Null).
std::string ToText(const Variant& v, const LocaleSettings& loc);
// CDbl: numbers as they are; texts read under the locale ("1.234,5" -> 1234.5 for pt-BR);
// booleans -1/0; dates their serial; Empty 0.
double ToDouble(const Variant& v, const LocaleSettings& loc);
// CInt: ToDouble rounded half to even; outside -32768..32767 raises 6.
int16_t ToInteger(const Variant& v, const LocaleSettings& loc);
// CLng: the same for 32 bits.
int32_t ToLong(const Variant& v, const LocaleSettings& loc);
// CBool: numbers non-zero; texts "True"/"False" (any case) or numeric texts.
bool ToBoolean(const Variant& v, const LocaleSettings& loc);
// IsNumeric: numbers, booleans, Empty, and texts that read as a number under the locale.
bool IsNumeric(const Variant& v, const LocaleSettings& loc);
// IsDate: dates, and texts that read as a date under the locale's date order.
bool IsDate(const Variant& v, const LocaleSettings& loc);
// CDate: dates, numbers (as serials) and date texts; raises 13 otherwise.
double ToDate(const Variant& v, const LocaleSettings& loc);

// Round half to even, as the classic CInt/CLng do (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);

}  // namespace orvo
