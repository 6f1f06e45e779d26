// The sample customer table on a PostgreSQL server (see db/sqlite/sample_data.h for SQLite).
#pragma once

#include <cstdint>

#include "db/keyset/sample_customers.h"

namespace orvo {

class PostgresDatabase;

// Creates (or replaces) table `clientes` in the database's current schema with the same
// `rows` customers from `seed` as the SQLite sample, the same indexes (ix_nome, ix_uf_cidade,
// ix_tipo_num, each ending with the primary key) and text that compares without regard to
// case (collation nocase, created when missing). Key columns are NOT NULL, so walks follow
// their indexes without sorting; the table is analysed. `progress`, when given, hears the
// rows being written (db/keyset/sample_customers.h).
void CreatePgCustomerTable(PostgresDatabase& db, int64_t rows, uint64_t seed,
                           const SampleProgress& progress = {});

}  // namespace orvo
