// Helpers shared by the database tests: small databases built from SQL, row dumps.
#pragma once

#include <string>
#include <vector>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"
#include "db/sqlite/sqlite_database.h"

namespace orvo::dbtest {

// A fresh in-memory database holding `sql`.
inline DatabaseRef MemoryDb(const std::string& sql) {
  auto db = SqliteDatabase::Open(":memory:", LocaleSettings::PtBR());
  db->Exec(sql);
  return db;
}

// The value of a field as plain text for comparisons: numbers as integers or with ".",
// Null as "<null>".
inline std::string Show(const Variant& v) {
  switch (v.Type()) {
    case VarType::Null: return "<null>";
    case VarType::Empty: return "<empty>";
    case VarType::String: return v.AsString();
    case VarType::Integer: return std::to_string(v.AsInteger());
    case VarType::Long: return std::to_string(v.AsLong());
    case VarType::Boolean: return v.AsBoolean() ? "True" : "False";
    default: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%g", v.AsDouble());
      return buffer;
    }
  }
}

inline std::string Field(Recordset& rs, const std::string& name) {
  return Show(rs.Fields(name).Value());
}

// The named field of every record from here to EOF, "|"-joined.
inline std::string Forward(Recordset& rs, const std::string& name) {
  std::string out;
  while (!rs.EOF_()) {
    out += (out.empty() ? "" : "|") + Field(rs, name);
    rs.MoveNext();
  }
  return out;
}

inline std::string Backward(Recordset& rs, const std::string& name) {
  std::string out;
  while (!rs.BOF()) {
    out += (out.empty() ? "" : "|") + Field(rs, name);
    rs.MovePrevious();
  }
  return out;
}

// Runs `action` and returns the error number it raised (0 if none); the message goes to
// `message` when given.
template <typename Action>
int32_t ErrorOf(Action&& action, std::string* message = nullptr) {
  try {
    action();
  } catch (const Error& e) {
    if (message) *message = e.Message();
    return e.Number();
  }
  return 0;
}

}  // namespace orvo::dbtest
