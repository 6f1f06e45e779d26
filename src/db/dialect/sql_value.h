// SqlValue and SqlFragment: values bound to statement parameters and SQL text with "?"
// placeholders, shared by both engines; the Latin-1 / UTF-8 boundary and identifier quoting.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/strings.h"

namespace orvo {

// A value bound to a statement parameter. Text is Latin-1 here and UTF-8 in the database.
struct SqlValue {
  enum class Kind { Null, Integer, Real, Text } kind = Kind::Null;
  int64_t integer = 0;
  double real = 0;
  std::string text;

  static SqlValue Int(int64_t v) { return {Kind::Integer, v, 0, {}}; }
  static SqlValue Real(double v) { return {Kind::Real, 0, v, {}}; }
  static SqlValue Text(std::string v) { return {Kind::Text, 0, 0, std::move(v)}; }
  bool operator==(const SqlValue&) const = default;
};

// SQL text with "?" placeholders, and their values in the order the placeholders appear.
struct SqlFragment {
  std::string sql;
  std::vector<SqlValue> params;

  void Append(const SqlFragment& other) {
    sql += other.sql;
    params.insert(params.end(), other.params.begin(), other.params.end());
  }
  void Append(const std::string& text) { sql += text; }
};

// Bytes that are not valid UTF-8 are taken as Latin-1 as they are; characters above 255
// become '?'.
std::string Utf8ToLatin1(const char* s, int length);
// The code point at the start of `size` bytes of UTF-8, and in `length` the bytes it takes;
// a byte that starts no whole sequence stands for itself, one byte long.
char32_t DecodeUtf8(const unsigned char* p, size_t size, size_t& length);

// "Cod Cli" -> "\"Cod Cli\"", inner double quotes doubled.
std::string QuoteIdentifier(const std::string& name);

}  // namespace orvo
