// Creating and opening the demo's database.
#include "demo_database.h"

#include <cstdio>
#include <filesystem>

namespace orvo::demo {

std::shared_ptr<SqliteDatabase> OpenDemoDatabase(const std::string& path, int64_t rows,
                                                 const SampleProgress& progress) {
  if (std::filesystem::exists(path)) return SqliteDatabase::Open(path);
  // Written under a temporary name and renamed: a creation cut short leaves no half database
  // that the next start would take for a whole one.
  const std::string partial = path + ".partial";
  std::filesystem::remove(partial);
  CreateCustomerDatabase(partial, rows, 1, progress);
  {
    std::shared_ptr<SqliteDatabase> db = SqliteDatabase::Open(partial);
    db->Exec(
        "CREATE TABLE cidades (codigo INTEGER PRIMARY KEY, nome VARCHAR(30) COLLATE NOCASE,"
        " uf VARCHAR(2) COLLATE NOCASE);"
        "INSERT INTO cidades (nome, uf) SELECT DISTINCT cidade, uf FROM clientes"
        " ORDER BY uf, cidade;"
        "CREATE INDEX ix_cidades_nome ON cidades (nome);"
        // What the registration form keeps beyond the sample's columns.
        "ALTER TABLE clientes ADD COLUMN cpf VARCHAR(14);"
        "ALTER TABLE clientes ADD COLUMN telefone VARCHAR(14);"
        "ALTER TABLE clientes ADD COLUMN parcelas INTEGER;");
  }
  std::filesystem::rename(partial, path);
  return SqliteDatabase::Open(path);
}

}  // namespace orvo::demo
