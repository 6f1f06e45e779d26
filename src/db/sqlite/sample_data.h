// Sample customer data for demos, tests and benchmarks: a deterministic `clientes` table.
#pragma once

#include <cstdint>
#include <string>

#include "db/keyset/sample_customers.h"

namespace orvo {

// Creates (or replaces) table `clientes` in the database at `path` (created if missing) with
// `rows` customers drawn from `seed`; the same seed always gives the same rows:
//   codigo INTEGER PRIMARY KEY (1..rows), nome VARCHAR(40), cidade VARCHAR(30), uf VARCHAR(2),
//   tipo VARCHAR(1) ('F' or 'J'), num INTEGER (1..999), nascimento DATE, limite REAL,
//   ativo BOOLEAN, obs TEXT (mostly null)
// with indexes ix_nome (nome), ix_uf_cidade (uf, cidade) and ix_tipo_num (tipo, num DESC).
// Text columns compare without regard to case, as the classic indexes did. The table is
// analysed, so the query planner knows how selective each index is. Names are
// Latin-1 and include accents and apostrophes. `progress`, when given, hears how many rows
// are written, now and then (about every hundredth of the table) and once at the end.
void CreateCustomerDatabase(const std::string& path, int64_t rows, uint64_t seed,
                            const SampleProgress& progress = {});

}  // namespace orvo
