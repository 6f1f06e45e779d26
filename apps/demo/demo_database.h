// The demo's database: customers and the cities they live in, created on first use, in an
// SQLite file or on a PostgreSQL server.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "orvo/database.h"
#include "orvo/sample_database.h"

namespace orvo::demo {

// The database at `target` (a file, or a connection string: db/postgres/postgres_database.h),
// created with `rows` sample customers (seed 1, always the same rows) and a `cidades` table
// (codigo, nome, uf) of the cities they live in when it does not hold them yet, and the
// columns the registration form adds (cpf, telefone, parcelas). `progress` hears the customers
// being written. A creation cut short leaves nothing the next start would take for a whole
// database.
// Runs `work` in one transaction of `db`: committed whole, or rolled back and its error
// raised again.
void InTransaction(Database& db, const std::function<void()>& work);

DatabaseRef OpenDemoDatabase(const std::string& target, int64_t rows,
                             const SampleProgress& progress);

}  // namespace orvo::demo
