// The customer tables the database benchmarks read, on both engines and at several sizes,
// written once and reused by later runs:
//   SQLite      /tmp/orvo_bench_clientes_<rows>.db ($ORVO_BENCH_DB for the 1,000,000 one)
//   PostgreSQL  schema bench_<rows> on the server of $ORVO_BENCH_PG (else $ORVO_PG), over its
//               local socket; without either the PostgreSQL benchmarks are skipped.
// The sizes a benchmark runs at are 10,000, 100,000 and 1,000,000 rows, or those listed in
// $ORVO_BENCH_SIZES ("10000,10000000"); writing 10,000,000 rows takes minutes.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "db/postgres/pg_connection.h"
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

inline std::vector<int64_t> BenchSizes() {
  std::vector<int64_t> sizes;
  if (const char* listed = std::getenv("ORVO_BENCH_SIZES")) {
    for (const char* p = listed; *p;) {
      char* end = nullptr;
      const long long rows = std::strtoll(p, &end, 10);
      if (end == p) break;
      if (rows > 0) sizes.push_back(rows);
      p = *end ? end + 1 : end;
    }
  }
  if (sizes.empty()) sizes = {10000, 100000, 1000000};
  return sizes;
}

inline std::string SqlitePath(int64_t rows) {
  const char* env = std::getenv("ORVO_BENCH_DB");
  return rows == 1000000 && env && *env
             ? env
             : "/tmp/orvo_bench_clientes_" + std::to_string(rows) + ".db";
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
    const std::string path = SqlitePath(rows);
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

// The statements a PostgreSQL connection has waited for so far; 0 on SQLite.
inline int64_t RoundTrips(const DatabaseRef& db) {
  auto* pg = dynamic_cast<PostgresDatabase*>(db.get());
  return pg ? pg->Connection().RoundTrips() : 0;
}

// The round trips since `before`, per iteration, as the counter round_trips.
inline void CountRoundTrips(benchmark::State& state, const DatabaseRef& db, int64_t before) {
  state.counters["round_trips"] = benchmark::Counter(static_cast<double>(RoundTrips(db) - before),
                                                     benchmark::Counter::kAvgIterations);
}

}  // namespace orvo::bench
