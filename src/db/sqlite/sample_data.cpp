// The sample customer table in an SQLite file.
#include "db/sqlite/sample_data.h"

#include <algorithm>
#include <cstdio>

#include "db/dialect/column_kind.h"
#include "db/keyset/sample_customers.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

void CreateCustomerDatabase(const std::string& path, int64_t rows, uint64_t seed,
                            const SampleProgress& progress) {
  SqliteConnection::Options options;
  options.mustExist = false;
  SqliteConnection conn(path, options, LocaleSettings::PtBR());
  conn.Exec(
      "PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF;"
      "DROP TABLE IF EXISTS clientes;"
      "CREATE TABLE clientes ("
      " codigo INTEGER PRIMARY KEY,"
      " nome VARCHAR(40) COLLATE NOCASE NOT NULL,"
      " cidade VARCHAR(30) COLLATE NOCASE,"
      " uf VARCHAR(2) COLLATE NOCASE,"
      " tipo VARCHAR(1) COLLATE NOCASE,"
      " num INTEGER,"
      " nascimento DATE,"
      " limite REAL,"
      " ativo BOOLEAN,"
      " obs TEXT);"
      "BEGIN;");
  SampleCustomers customers(seed);
  const int64_t step = std::max<int64_t>(rows / 100, 1000);
  {
    SqlQuery insert(conn, "INSERT INTO clientes VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (int64_t i = 0; i < rows; ++i) {
      SampleCustomer c = customers.Next();
      insert.Bind({SqlValue::Int(c.codigo), SqlValue::Text(c.nome), SqlValue::Text(c.cidade),
                   SqlValue::Text(c.uf), SqlValue::Text(c.tipo), SqlValue::Int(c.num),
                   SqlValue::Text(SerialToIsoText(c.nascimento)), SqlValue::Real(c.limite),
                   SqlValue::Int(c.ativo ? 1 : 0), c.obs ? SqlValue::Text(*c.obs) : SqlValue{}});
      insert.Step();
      insert.Reset();
      if (progress && (i + 1) % step == 0 && i + 1 < rows) progress(i + 1, rows);
    }
  }
  conn.Exec(
      "CREATE INDEX ix_nome ON clientes (nome);"
      "CREATE INDEX ix_uf_cidade ON clientes (uf, cidade);"
      "CREATE INDEX ix_tipo_num ON clientes (tipo, num DESC);"
      "COMMIT;"
      // Without statistics the planner takes any equality as selective: uf = 'SP' with
      // ORDER BY nome would read a tenth of the table and sort it instead of walking ix_nome.
      "ANALYZE;");
  if (progress) progress(rows, rows);
}

}  // namespace orvo
