// Sample databases to try a form on: a deterministic `clientes` table of customers, on
// SQLite or on a PostgreSQL server. The same seed always gives the same rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace orvo {

class PostgresDatabase;

// Hears how many of `rows` customers are written, now and then (about every hundredth of the
// table) and once at the end, when the table is whole.
using SampleProgress = std::function<void(int64_t written, int64_t rows)>;

// Creates (or replaces) table `clientes` in the SQLite database at `path` (created if
// missing) with `rows` customers drawn from `seed`:
//   codigo INTEGER PRIMARY KEY (1..rows), nome VARCHAR(40), cidade VARCHAR(30), uf VARCHAR(2),
//   tipo VARCHAR(1) ('F' or 'J'), num INTEGER (1..999), nascimento DATE, limite REAL,
//   ativo BOOLEAN, obs TEXT (mostly null)
// with indexes ix_nome (nome), ix_uf_cidade (uf, cidade) and ix_tipo_num (tipo, num DESC).
// Text columns compare without regard to case, as the classic indexes did. The table is
// analysed, so the query planner knows how selective each index is. Names are Latin-1 and
// include accents and apostrophes.
void CreateCustomerDatabase(const std::string& path, int64_t rows, uint64_t seed,
                            const SampleProgress& progress = {});

// The same table in the server database's current schema, with the same indexes (each
// ending with the primary key) and text that compares without regard to case (collation
// nocase, created when missing). Key columns are NOT NULL, so walks follow their indexes
// without sorting; the table is analysed.
void CreatePgCustomerTable(PostgresDatabase& db, int64_t rows, uint64_t seed,
                           const SampleProgress& progress = {});

}  // namespace orvo
