// The sample customer table written with COPY.
#include "db/postgres/pg_sample_data.h"

#include <algorithm>
#include <cstdio>

#include "db/dialect/column_kind.h"
#include "db/keyset/sample_customers.h"
#include "db/postgres/pg_connection.h"
#include "db/postgres/postgres_database.h"

namespace orvo {

void CreatePgCustomerTable(PostgresDatabase& db, int64_t rows, uint64_t seed,
                           const SampleProgress& progress) {
  db.CreateNocaseCollation();
  db.Exec(
      "DROP TABLE IF EXISTS clientes;"
      "CREATE TABLE clientes ("
      " codigo integer PRIMARY KEY,"
      " nome varchar(40) COLLATE nocase NOT NULL,"
      " cidade varchar(30) COLLATE nocase NOT NULL,"
      " uf varchar(2) COLLATE nocase NOT NULL,"
      " tipo varchar(1) COLLATE nocase NOT NULL,"
      " num integer NOT NULL,"
      " nascimento date,"
      " limite double precision,"
      " ativo boolean,"
      " obs text)");
  SampleCustomers customers(seed);
  int64_t written = 0;
  const int64_t step = std::max<int64_t>(rows / 100, 1000);
  char number[32];
  db.Connection().CopyIn("COPY clientes FROM STDIN", [&](std::string& line) {
    if (written >= rows) return false;
    if (progress && written > 0 && written % step == 0) progress(written, rows);
    ++written;
    // Names hold no tab, newline or backslash, so the text format needs no escapes.
    SampleCustomer c = customers.Next();
    std::snprintf(number, sizeof number, "%.2f", c.limite);
    line = std::to_string(c.codigo) + '\t' + c.nome + '\t' + c.cidade + '\t' + c.uf + '\t' +
           c.tipo + '\t' + std::to_string(c.num) + '\t' + SerialToIsoText(c.nascimento) + '\t' +
           number + '\t' + (c.ativo ? "t" : "f") + '\t' + (c.obs ? *c.obs : "\\N");
    return true;
  });
  db.Exec(
      // Each index ends with the primary key: the server keeps equal keys in the order rows
      // were stored, so without it a walk would sort every run of equal keys by codigo.
      "CREATE INDEX ix_nome ON clientes (nome, codigo);"
      "CREATE INDEX ix_uf_cidade ON clientes (uf, cidade, codigo);"
      "CREATE INDEX ix_tipo_num ON clientes (tipo, num DESC, codigo);"
      "ANALYZE clientes");
  if (progress) progress(rows, rows);
}

}  // namespace orvo
