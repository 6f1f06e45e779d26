// Creating and opening the demo's database on either engine.
#include "demo_database.h"

#include <filesystem>

#include "orvo/error.h"
#include "orvo/postgres_database.h"
#include "orvo/sample_database.h"
#include "orvo/sqlite_database.h"

namespace orvo::demo {

namespace {

// What the registration form keeps beyond the sample's columns, and the cities it offers.
// The statement reads the same on both engines.
constexpr const char* kFormTables =
    "CREATE TABLE cidades (codigo INTEGER PRIMARY KEY, nome VARCHAR(30) COLLATE NOCASE,"
    " uf VARCHAR(2) COLLATE NOCASE);"
    "INSERT INTO cidades (codigo, nome, uf) SELECT ROW_NUMBER() OVER (ORDER BY uf, cidade),"
    " cidade, uf FROM (SELECT DISTINCT cidade, uf FROM clientes) AS c;"
    "CREATE INDEX ix_cidades_nome ON cidades (nome);"
    "ALTER TABLE clientes ADD COLUMN cpf VARCHAR(14);"
    "ALTER TABLE clientes ADD COLUMN telefone VARCHAR(14);"
    "ALTER TABLE clientes ADD COLUMN parcelas INTEGER;";

DatabaseRef OpenSqlite(const std::string& path, int64_t rows, const SampleProgress& progress) {
  if (std::filesystem::exists(path)) return SqliteDatabase::Open(path);
  // Written under a temporary name and renamed.
  const std::string partial = path + ".partial";
  std::filesystem::remove(partial);
  CreateCustomerDatabase(partial, rows, 1, progress);
  SqliteDatabase::Open(partial)->Exec(kFormTables);
  std::filesystem::rename(partial, path);
  return SqliteDatabase::Open(path);
}

// The form's own table `cidades` is created last, in the same transaction as the customers:
// finding it means the rest is whole.
bool HasFormTables(Database& db) {
  try {
    db.OpenDynaset("SELECT codigo FROM cidades WHERE codigo = 0");
    return true;
  } catch (const Error&) {
    return false;
  }
}

DatabaseRef OpenPostgres(const std::string& conninfo, int64_t rows,
                         const SampleProgress& progress) {
  std::shared_ptr<PostgresDatabase> db = PostgresDatabase::Open(conninfo);
  if (HasFormTables(*db)) return db;
  InTransaction(*db, [&] {
    CreatePgCustomerTable(*db, rows, 1, progress);
    db->Exec(kFormTables);
  });
  return db;
}

}  // namespace

void InTransaction(Database& db, const std::function<void()>& work) {
  db.Exec("BEGIN");
  try {
    work();
    db.Exec("COMMIT");
  } catch (const Error&) {
    try {
      db.Exec("ROLLBACK");
    } catch (const Error&) {
      // The connection is gone, and the transaction with it.
    }
    throw;
  }
}

DatabaseRef OpenDemoDatabase(const std::string& target, int64_t rows,
                             const SampleProgress& progress) {
  if (IsConnectionString(target)) return OpenPostgres(target, rows, progress);
  return OpenSqlite(target, rows, progress);
}

}  // namespace orvo::demo
