// gendb: writes the deterministic sample customer table into an SQLite file or onto a
// PostgreSQL server (TARGET a connection string: "host=/tmp/x dbname=orvo", postgresql://...).
//   gendb TARGET [ROWS=1000] [SEED=1]
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "db/postgres/pg_sample_data.h"
#include "db/postgres/postgres_database.h"
#include "db/sqlite/sample_data.h"

namespace {

// "gendb: 420000 of 1000000 rows (42%)", rewritten in place on a terminal; a log that is no
// terminal gets nothing until the closing line.
void ShowProgress(int64_t written, int64_t rows) {
  const int percent = rows > 0 ? static_cast<int>(written * 100 / rows) : 100;
  std::fprintf(stderr, "\rgendb: %lld of %lld rows (%d%%)", static_cast<long long>(written),
               static_cast<long long>(rows), percent);
  if (written == rows) std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: gendb PATH|CONNECTION-STRING [ROWS=1000] [SEED=1]\n");
    return 2;
  }
  long long rows = argc > 2 ? std::atoll(argv[2]) : 1000;
  unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  if (rows < 0) {
    std::fprintf(stderr, "gendb: ROWS must not be negative\n");
    return 2;
  }
  const std::string target = argv[1];
  const orvo::SampleProgress progress =
      isatty(STDERR_FILENO) ? ShowProgress : orvo::SampleProgress{};
  try {
    if (orvo::IsConnectionString(target)) {
      orvo::CreatePgCustomerTable(*orvo::PostgresDatabase::Open(target), rows, seed, progress);
    } else {
      orvo::CreateCustomerDatabase(target, rows, seed, progress);
    }
  } catch (const orvo::Error& e) {
    std::fprintf(stderr, "gendb: %s\n", e.Message().c_str());
    return 1;
  }
  std::printf("gendb: wrote %lld customers to %s\n", rows, target.c_str());
  return 0;
}
