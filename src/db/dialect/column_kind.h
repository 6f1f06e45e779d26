// ColumnKind: what a column's declared type means to the recordsets (field type codes of
// both recordset families, sizes) and the conversions between stored and Variant values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/locale_settings.h"
#include "base/variant.h"
#include "db/dialect/sql_value.h"

namespace orvo {

enum class ColumnKind {
  Boolean,
  Byte,
  Integer,
  Long,
  BigInt,
  Currency,
  Single,
  Double,
  Date,
  Text,
  Memo,
  Binary
};

struct ColumnInfo {
  std::string name;      // as the database spells it
  std::string declType;  // as declared, "" for expressions
  ColumnKind kind = ColumnKind::Memo;
  int32_t size = 0;       // characters for text, bytes for the others
  std::string collation;  // "" for the column's default
  bool notNull = false;   // the column holds no NULL (read where the engine tells)
};

// "VARCHAR(40)" -> Text/40, "TEXT" -> Memo, "DATE"/"DATETIME" -> Date, "INTEGER" -> Long,
// "REAL"/"DOUBLE" -> Double, "BOOLEAN" -> Boolean. Unknown or empty types -> Memo.
ColumnInfo ColumnFromDeclType(std::string name, std::string declType);

// Type codes of the seek family (8 date, 10 text, 12 long text, 4 long, 7 double...) and of
// the family without NoMatch (7 date, 200 text, 201 long text, 3 integer, 5 double...).
int16_t SeekFamilyType(ColumnKind kind);
int16_t FindFamilyType(ColumnKind kind);
bool IsTextKind(ColumnKind kind);
bool IsNumericKind(ColumnKind kind);

// Dates are stored as ISO text: "2024-12-25", or "2024-12-25 13:45:00" with a time.
std::string SerialToIsoText(double serial);
std::optional<double> IsoTextToSerial(const std::string& text);

// A stored value as the field's Variant.
Variant ToVariant(const SqlValue& value, ColumnKind kind);
// A Variant as the value to bind against a column of that kind; text that reads as a date
// (ISO or under the locale) becomes ISO text for date columns.
SqlValue ToSqlValue(const Variant& value, ColumnKind kind, const LocaleSettings& locale);

}  // namespace orvo
