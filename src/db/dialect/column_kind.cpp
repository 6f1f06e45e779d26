// Declared column types mapped to field kinds, and values converted between storage and Variant.
#include "db/dialect/column_kind.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/dates.h"
#include "base/strings.h"

namespace orvo {

namespace {

bool Has(const std::string& upper, const char* what) {
  return upper.find(what) != std::string::npos;
}

// The first "(n" of "VARCHAR(40)"; 0 when there is none.
int32_t DeclaredLength(const std::string& declType) {
  auto open = declType.find('(');
  if (open == std::string::npos) return 0;
  return static_cast<int32_t>(std::strtol(declType.c_str() + open + 1, nullptr, 10));
}

double NumberOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Single:
      return v.AsSingle();
    default:
      return v.AsDouble();
  }
}

}  // namespace

ColumnInfo ColumnFromDeclType(std::string name, std::string declType) {
  ColumnInfo info;
  info.name = std::move(name);
  info.declType = declType;
  std::string t = UCase(declType);
  auto set = [&](ColumnKind kind, int32_t size) {
    info.kind = kind;
    info.size = size;
  };
  if (Has(t, "BOOL") || Has(t, "BIT") || Has(t, "YESNO"))
    set(ColumnKind::Boolean, 1);
  else if (Has(t, "DATE") || Has(t, "TIME"))
    set(ColumnKind::Date, 8);
  else if (Has(t, "BIGINT") || Has(t, "INT8"))
    set(ColumnKind::BigInt, 8);
  else if (Has(t, "TINYINT") || t == "BYTE")
    set(ColumnKind::Byte, 1);
  else if (Has(t, "SMALLINT") || Has(t, "INT2"))
    set(ColumnKind::Integer, 2);
  else if (Has(t, "INT"))
    set(ColumnKind::Long, 4);
  else if (Has(t, "CHAR") || Has(t, "CLOB") || Has(t, "TEXT")) {
    int32_t length = DeclaredLength(declType);
    if (length > 0)
      set(ColumnKind::Text, length);
    else if (Has(t, "CHAR"))
      set(ColumnKind::Text, 255);
    else
      set(ColumnKind::Memo, 0);
  } else if (Has(t, "BLOB") || Has(t, "BINARY"))
    set(ColumnKind::Binary, 0);
  else if (Has(t, "MONEY") || Has(t, "CURRENCY"))
    set(ColumnKind::Currency, 8);
  else if (Has(t, "SINGLE"))
    set(ColumnKind::Single, 4);
  else if (Has(t, "REAL") || Has(t, "FLOA") || Has(t, "DOUB") || Has(t, "NUMERIC") ||
           Has(t, "DECIMAL"))
    set(ColumnKind::Double, 8);
  else
    set(ColumnKind::Memo, 0);
  return info;
}

int16_t SeekFamilyType(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Boolean:
      return 1;
    case ColumnKind::Byte:
      return 2;
    case ColumnKind::Integer:
      return 3;
    case ColumnKind::Long:
      return 4;
    case ColumnKind::Currency:
      return 5;
    case ColumnKind::Single:
      return 6;
    case ColumnKind::Double:
      return 7;
    case ColumnKind::Date:
      return 8;
    case ColumnKind::Binary:
      return 11;
    case ColumnKind::Text:
      return 10;
    case ColumnKind::Memo:
      return 12;
    case ColumnKind::BigInt:
      return 16;
  }
  return 12;
}

int16_t FindFamilyType(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Boolean:
      return 11;
    case ColumnKind::Byte:
      return 17;
    case ColumnKind::Integer:
      return 2;
    case ColumnKind::Long:
      return 3;
    case ColumnKind::Currency:
      return 6;
    case ColumnKind::Single:
      return 4;
    case ColumnKind::Double:
      return 5;
    case ColumnKind::Date:
      return 7;
    case ColumnKind::Binary:
      return 205;
    case ColumnKind::Text:
      return 200;
    case ColumnKind::Memo:
      return 201;
    case ColumnKind::BigInt:
      return 20;
  }
  return 201;
}

bool IsTextKind(ColumnKind kind) {
  return kind == ColumnKind::Text || kind == ColumnKind::Memo;
}

bool IsNumericKind(ColumnKind kind) {
  return !IsTextKind(kind) && kind != ColumnKind::Date && kind != ColumnKind::Binary;
}

std::string SerialToIsoText(double serial) {
  const DateParts p = SplitDate(serial);
  char buffer[40];
  if (p.hour == 0 && p.minute == 0 && p.second == 0) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", p.year, p.month, p.day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                  p.hour, p.minute, p.second);
  }
  return buffer;
}

std::optional<double> IsoTextToSerial(const std::string& text) {
  int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0, used = 0;
  const char* s = text.c_str();
  if (std::sscanf(s, "%4d-%2d-%2d%n", &y, &m, &d, &used) != 3 &&
      std::sscanf(s, "%4d/%2d/%2d%n", &y, &m, &d, &used) != 3) {
    return std::nullopt;
  }
  if (used < 8 || !IsValidDate(y, m, d)) return std::nullopt;
  const char* rest = s + used;
  if (*rest == 'T' || *rest == ' ') {
    int fields = std::sscanf(rest + 1, "%2d:%2d:%2d", &hh, &mm, &ss);
    if (fields < 2 || hh < 0 || hh > 23 || mm < 0 || mm > 59 || ss < 0 || ss > 59)
      return std::nullopt;
    if (fields == 2) ss = 0;
  } else if (*rest != '\0') {
    return std::nullopt;
  }
  const double serial = DateSerial(y, m, d);
  const double fraction = TimeSerial(hh, mm, ss);
  return serial < 0 ? serial - fraction : serial + fraction;
}

Variant ToVariant(const SqlValue& value, ColumnKind kind) {
  using K = SqlValue::Kind;
  if (value.kind == K::Null) return Variant::Null();
  switch (kind) {
    case ColumnKind::Boolean:
      if (value.kind == K::Integer) return Variant(value.integer != 0);
      if (value.kind == K::Real) return Variant(value.real != 0);
      if (UCase(value.text) == "TRUE") return Variant(true);
      if (UCase(value.text) == "FALSE") return Variant(false);
      break;
    case ColumnKind::Date:
      if (value.kind == K::Text) {
        if (auto serial = IsoTextToSerial(value.text)) return Variant::Date(*serial);
      } else {
        return Variant::Date(value.kind == K::Integer ? static_cast<double>(value.integer)
                                                      : value.real);
      }
      break;
    case ColumnKind::Byte:
    case ColumnKind::Integer:
      if (value.kind == K::Integer && value.integer >= INT16_MIN && value.integer <= INT16_MAX) {
        return Variant(static_cast<int16_t>(value.integer));
      }
      break;
    case ColumnKind::Single:
      if (value.kind == K::Real) return Variant(static_cast<float>(value.real));
      break;
    case ColumnKind::Text:
    case ColumnKind::Memo:
    case ColumnKind::Binary:
      if (value.kind == K::Text) return Variant(value.text);
      break;
    default:
      break;
  }
  // Whatever the declared type, the stored class decides (SQLite's typing is per value).
  switch (value.kind) {
    case K::Integer:
      if (value.integer >= INT32_MIN && value.integer <= INT32_MAX) {
        return Variant(static_cast<int32_t>(value.integer));
      }
      return Variant(static_cast<double>(value.integer));
    case K::Real:
      return Variant(value.real);
    case K::Text:
      return Variant(value.text);
    case K::Null:
      break;
  }
  return Variant::Null();
}

SqlValue ToSqlValue(const Variant& value, ColumnKind kind, const LocaleSettings& locale) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return {};
    case VarType::Boolean:
      if (IsTextKind(kind)) return SqlValue::Text(value.AsBoolean() ? "True" : "False");
      return SqlValue::Int(value.AsBoolean() ? 1 : 0);
    case VarType::Date:
      if (kind == ColumnKind::Date || IsTextKind(kind)) {
        return SqlValue::Text(SerialToIsoText(value.AsDouble()));
      }
      return SqlValue::Real(value.AsDouble());
    case VarType::String: {
      const std::string& text = value.AsString();
      if (kind == ColumnKind::Date) {
        if (auto serial = IsoTextToSerial(text)) return SqlValue::Text(SerialToIsoText(*serial));
        if (auto serial = ParseDateText(text, locale)) {
          return SqlValue::Text(SerialToIsoText(*serial));
        }
      } else if (IsNumericKind(kind) && IsNumeric(value, locale) && !Trim(text).empty()) {
        double number = ToDouble(value, locale);
        if (number == std::trunc(number) && std::fabs(number) < 9e15) {
          return SqlValue::Int(static_cast<int64_t>(number));
        }
        return SqlValue::Real(number);
      }
      return SqlValue::Text(text);
    }
    default:
      break;
  }
  if (value.IsNumber()) {
    double number = NumberOf(value);
    if (IsTextKind(kind)) return SqlValue::Text(ToText(value, locale));
    if (kind == ColumnKind::Date) return SqlValue::Text(SerialToIsoText(number));
    if (number == std::trunc(number) && std::fabs(number) < 9e15) {
      return SqlValue::Int(static_cast<int64_t>(number));
    }
    return SqlValue::Real(number);
  }
  return SqlValue::Text(ToText(value, locale));
}

}  // namespace orvo
