// The demo's embedded database: customers and the cities they live in, created on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "db/sqlite/sample_data.h"
#include "orvo/sqlite_database.h"

namespace orvo::demo {

// The database at `path`, created with `rows` sample customers (seed 1, always the same rows)
// and a `cidades` table (codigo, nome, uf) of the cities they live in, when `path` does not
// hold one yet, and the columns the registration form adds (cpf, telefone, parcelas). `progress`
// hears the customers being written.
std::shared_ptr<SqliteDatabase> OpenDemoDatabase(const std::string& path, int64_t rows,
                                                 const SampleProgress& progress);

}  // namespace orvo::demo
