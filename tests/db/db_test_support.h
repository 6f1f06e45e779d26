// Helpers shared by the database tests: the engines the suite runs against, small databases
// built from SQL both engines read, row dumps.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"
#include "db/keyset/database.h"

namespace orvo::dbtest {

// Seven products: duplicate and NULL codes, a composite index with a descending part.
// Written in SQL both engines read alike (DOUBLE PRECISION, TIMESTAMP, TRUE/FALSE; the
// PostgreSQL databases hold a case-insensitive collation `nocase`).
inline const char* const kProdutos =
    "CREATE TABLE prod (id INTEGER PRIMARY KEY, codigo VARCHAR(10) COLLATE NOCASE,"
    " nome VARCHAR(40), grupo INTEGER, preco DOUBLE PRECISION, criado TIMESTAMP, obs TEXT,"
    " ativo BOOLEAN);"
    "CREATE INDEX ix_codigo ON prod (codigo);"
    "CREATE INDEX ix_grupo_nome ON prod (grupo, nome DESC);"
    "INSERT INTO prod VALUES (1, 'A1', 'Parafuso', 2, 1.5, '2024-01-05', NULL, TRUE);"
    "INSERT INTO prod VALUES (2, 'B2', 'Arruela', 1, 0.25, '2023-12-31', 'x', FALSE);"
    "INSERT INTO prod VALUES (3, 'A1', 'Porca', 2, 0.75, '2024-02-01', NULL, TRUE);"
    "INSERT INTO prod VALUES (4, 'C3', 'Martelo', 1, 30, NULL, NULL, TRUE);"
    "INSERT INTO prod VALUES (5, 'a1', 'Prego', 3, 0.1, '2024-01-05 10:30:00', NULL, TRUE);"
    "INSERT INTO prod VALUES (6, NULL, 'Serra', 2, 45, NULL, NULL, FALSE);"
    "INSERT INTO prod VALUES (7, 'B2', 'Alicate', 1, 22, '2022-06-15', NULL, TRUE);";

enum class Engine { Sqlite, Postgres };

inline std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
  return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

// Both engines, for INSTANTIATE_TEST_SUITE_P.
inline auto Engines() {
  return ::testing::Values(Engine::Sqlite, Engine::Postgres);
}

// Whether the PostgreSQL cases can run: ORVO_PG names a server. Without it they are skipped,
// unless ORVO_PG_REQUIRED=1 (set by scripts/with-postgres), when they fail.
bool PostgresAvailable();
// For a fixture's SetUp: skips or fails the test when `engine` cannot run here.
void RequireEngine(Engine engine);

// A fresh empty database: SQLite in memory, or a PostgreSQL schema of its own on the ORVO_PG
// server, dropped when the test program ends.
DatabaseRef FreshDb(Engine engine);
// A database holding `sql`; `path` for SQLite is a file (so that a second connection can
// open it), "" for memory.
DatabaseRef MakeDb(Engine engine, const std::string& sql, const std::string& path = "");
// Another connection to the same data.
DatabaseRef SecondConnection(Engine engine, const DatabaseRef& first);

// A PostgreSQL database from a connection string.
DatabaseRef OpenServer(const std::string& conninfo);

// The SQLite in-memory database holding `sql` (tests of SQLite alone).
DatabaseRef MemoryDb(const std::string& sql);

// A test run once per engine on the products table.
class ProductsTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    RequireEngine(GetParam());
    if (!IsSkipped() && !HasFailure()) db = MakeDb(GetParam(), kProdutos);
  }
  DatabaseRef db;
};

// A table of cases run once per engine on the products table; cases name themselves.
template <typename Case>
class ProductsCaseTest : public ::testing::TestWithParam<std::tuple<Engine, Case>> {
 protected:
  void SetUp() override {
    RequireEngine(std::get<0>(this->GetParam()));
    if (!this->IsSkipped() && !this->HasFailure()) {
      db = MakeDb(std::get<0>(this->GetParam()), kProdutos);
    }
  }
  const Case& TheCase() const { return std::get<1>(this->GetParam()); }
  DatabaseRef db;
};

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<std::tuple<Engine, Case>>& info) {
  return std::string(std::get<0>(info.param) == Engine::Sqlite ? "Sqlite_" : "Postgres_") +
         std::get<1>(info.param).name;
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
