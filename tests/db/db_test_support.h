// Helpers shared by the database tests: small databases built from SQL, row dumps.
#pragma once

#include <string>
#include <vector>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"
#include "db/sqlite/sqlite_database.h"

namespace orvo::dbtest {

// Seven products: duplicate and NULL codes, a composite index with a descending part.
inline const char* const kProdutos =
    "CREATE TABLE prod (id INTEGER PRIMARY KEY, codigo VARCHAR(10) COLLATE NOCASE,"
    " nome VARCHAR(40), grupo INTEGER, preco REAL, criado DATE, obs TEXT, ativo BOOLEAN);"
    "CREATE INDEX ix_codigo ON prod (codigo);"
    "CREATE INDEX ix_grupo_nome ON prod (grupo, nome DESC);"
    "INSERT INTO prod VALUES (1, 'A1', 'Parafuso', 2, 1.5, '2024-01-05', NULL, 1);"
    "INSERT INTO prod VALUES (2, 'B2', 'Arruela', 1, 0.25, '2023-12-31', 'x', 0);"
    "INSERT INTO prod VALUES (3, 'A1', 'Porca', 2, 0.75, '2024-02-01', NULL, 1);"
    "INSERT INTO prod VALUES (4, 'C3', 'Martelo', 1, 30, NULL, NULL, 1);"
    "INSERT INTO prod VALUES (5, 'a1', 'Prego', 3, 0.1, '2024-01-05 10:30:00', NULL, 1);"
    "INSERT INTO prod VALUES (6, NULL, 'Serra', 2, 45, NULL, NULL, 0);"
    "INSERT INTO prod VALUES (7, 'B2', 'Alicate', 1, 22, '2022-06-15', NULL, 1);";

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
    case VarType::Null:
      return "<null>";
    case VarType::Empty:
      return "<empty>";
    case VarType::String:
      return v.AsString();
    case VarType::Integer:
      return std::to_string(v.AsInteger());
    case VarType::Long:
      return std::to_string(v.AsLong());
    case VarType::Boolean:
      return v.AsBoolean() ? "True" : "False";
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
