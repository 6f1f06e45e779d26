// The customer tables the database benchmarks read, on both engines and at two sizes, written
// once and reused by later runs:
//   SQLite      /tmp/orvo_bench_clientes_<rows>.db ($ORVO_BENCH_DB for the 1,000,000 one)
//   PostgreSQL  schema bench_<rows> on the server of $ORVO_BENCH_PG (else $ORVO_PG), over its
//               local socket; without either the PostgreSQL benchmarks are skipped.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "base/error.h"
#include "db/postgres/pg_sample_data.h"
#include "db/postgres/postgres_database.h"
#include "db/sqlite/sample_data.h"
#include "db/sqlite/sqlite_database.h"

namespace orvo::bench {

inline constexpr int kSqlite = 0;
inline constexpr int kPostgres = 1;

inline const char* EngineName(int engine) {
  return engine == kPostgres ? "postgres" : "sqlite";
}

inline std::string BenchServer() {
  for (const char* name : {"ORVO_BENCH_PG", "ORVO_PG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "";
}

// The database holding `rows` sample customers on `engine`; null when no server is named.
inline DatabaseRef BenchDatabase(int engine, int64_t rows) {
  static std::map<std::pair<int, int64_t>, DatabaseRef> opened;
  auto& db = opened[{engine, rows}];
  if (db) return db;
  if (engine == kSqlite) {
    const char* env = std::getenv("ORVO_BENCH_DB");
    std::string path = rows == 1000000 && env && *env
                           ? env
                           : "/tmp/orvo_bench_clientes_" + std::to_string(rows) + ".db";
    bool ready = false;
    if (std::filesystem::exists(path)) {
      try {
        auto existing = SqliteDatabase::Open(path);
        ready = existing->OpenTable("clientes")->RecordCount() == rows &&
                existing->OpenDynaset("sqlite_stat1")->RecordCount() > 0;
      } catch (const Error&) {
      }
    }
    if (!ready) {
      std::fprintf(stderr, "bench: writing %lld customers to %s\n", static_cast<long long>(rows),
                   path.c_str());
      CreateCustomerDatabase(path, rows, 1);
    }
    db = SqliteDatabase::Open(path);
    return db;
  }
  const std::string server = BenchServer();
  if (server.empty()) return nullptr;
  const std::string schema = "bench_" + std::to_string(rows);
  PostgresDatabase::Open(server)->Exec("CREATE SCHEMA IF NOT EXISTS " + schema);
  auto pg = PostgresDatabase::Open(server + " options='-csearch_path=" + schema + "'");
  bool ready = false;
  try {
    ready = pg->OpenTable("clientes")->RecordCount() == rows;
  } catch (const Error&) {
  }
  if (!ready) {
    std::fprintf(stderr, "bench: writing %lld customers to %s, schema %s\n",
                 static_cast<long long>(rows), pg->Describe().c_str(), schema.c_str());
    CreatePgCustomerTable(*pg, rows, 1);
  }
  db = pg;
  return db;
}

}  // namespace orvo::bench
