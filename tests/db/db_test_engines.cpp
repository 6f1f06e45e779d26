// The engines the database tests run against: SQLite files and memory, PostgreSQL schemas.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "db/postgres/postgres_database.h"
#include "db/sqlite/sqlite_database.h"
#include "db_test_support.h"

namespace orvo::dbtest {

namespace {

std::string ServerConnection() {
  const char* conninfo = std::getenv("ORVO_PG");
  return conninfo ? conninfo : "";
}

// Schemas made by this program, dropped at its end (each test runs in a program of its own).
struct Schemas {
  std::vector<std::string> names;
  ~Schemas() {
    if (names.empty()) return;
    try {
      auto db = PostgresDatabase::Open(ServerConnection());
      for (const auto& name : names) db->Exec("DROP SCHEMA IF EXISTS " + name + " CASCADE");
    } catch (const Error&) {
      // The cluster goes away with the run anyway.
    }
  }
};

Schemas& MadeSchemas() {
  static Schemas schemas;
  return schemas;
}

// Connection strings of the schemas, and SQLite paths, by the database first opened there.
std::map<const Database*, std::string>& Origins() {
  static std::map<const Database*, std::string> origins;
  return origins;
}

}  // namespace

bool PostgresAvailable() {
  return !ServerConnection().empty();
}

void RequireEngine(Engine engine) {
  if (engine != Engine::Postgres || PostgresAvailable()) return;
  const char* required = std::getenv("ORVO_PG_REQUIRED");
  if (required && std::string(required) == "1") {
    FAIL() << "ORVO_PG names no PostgreSQL server, yet the PostgreSQL cases must run";
  }
  GTEST_SKIP() << "no PostgreSQL server: set ORVO_PG or run through scripts/with-postgres";
}

DatabaseRef FreshDb(Engine engine) {
  if (engine == Engine::Sqlite) return SqliteDatabase::Open(":memory:", LocaleSettings::PtBR());
  static int counter = 0;
  std::string schema = "t_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
  PostgresDatabase::Open(ServerConnection())->Exec("CREATE SCHEMA " + schema);
  MadeSchemas().names.push_back(schema);
  std::string conninfo = ServerConnection() + " options='-csearch_path=" + schema + "'";
  auto db = PostgresDatabase::Open(conninfo, LocaleSettings::PtBR());
  db->CreateNocaseCollation();
  Origins()[db.get()] = conninfo;
  return db;
}

DatabaseRef MakeDb(Engine engine, const std::string& sql, const std::string& path) {
  DatabaseRef db;
  if (engine == Engine::Sqlite && !path.empty()) {
    std::filesystem::remove(path);
    DatabaseOptions create;
    create.create = true;
    db = SqliteDatabase::Open(path, LocaleSettings::PtBR(), create);
    Origins()[db.get()] = path;
  } else {
    db = FreshDb(engine);
  }
  db->Exec(sql);
  return db;
}

DatabaseRef SecondConnection(Engine engine, const DatabaseRef& first) {
  const std::string& origin = Origins().at(first.get());
  if (engine == Engine::Sqlite) return SqliteDatabase::Open(origin, LocaleSettings::PtBR());
  return PostgresDatabase::Open(origin, LocaleSettings::PtBR());
}

DatabaseRef OpenServer(const std::string& conninfo) {
  return PostgresDatabase::Open(conninfo, LocaleSettings::PtBR());
}

DatabaseRef MemoryDb(const std::string& sql) {
  return MakeDb(Engine::Sqlite, sql);
}

}  // namespace orvo::dbtest
