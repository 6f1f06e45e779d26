// gendb: writes the deterministic sample customer table into an SQLite file.
//   gendb PATH [ROWS=1000] [SEED=1]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "db/sqlite/sample_data.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: gendb PATH [ROWS=1000] [SEED=1]\n");
    return 2;
  }
  long long rows = argc > 2 ? std::atoll(argv[2]) : 1000;
  unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  if (rows < 0) {
    std::fprintf(stderr, "gendb: ROWS must not be negative\n");
    return 2;
  }
  try {
    orvo::CreateCustomerDatabase(argv[1], rows, seed);
  } catch (const orvo::Error& e) {
    std::fprintf(stderr, "gendb: %s\n", e.Message().c_str());
    return 1;
  }
  std::printf("gendb: wrote %lld customers to %s\n", rows, argv[1]);
  return 0;
}
