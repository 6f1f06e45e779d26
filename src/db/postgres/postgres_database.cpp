// PostgresDatabase: opening the connection and handing out recordsets.
#include "db/postgres/postgres_database.h"

#include "db/postgres/pg_connection.h"
#include "db/postgres/pg_recordset_open.h"

namespace orvo {

std::shared_ptr<PostgresDatabase> PostgresDatabase::Open(const std::string& conninfo,
                                                         LocaleSettings locale) {
  auto conn = std::make_shared<PgConnection>(conninfo, std::move(locale));
  return std::shared_ptr<PostgresDatabase>(new PostgresDatabase(std::move(conn)));
}

void PostgresDatabase::CreateNocaseCollation() {
  PgRows found = conn_->Query(
      "SELECT 1 FROM pg_collation WHERE collname = 'nocase' AND "
      "collnamespace = (SELECT oid FROM pg_namespace WHERE nspname = current_schema())");
  if (found.Count() > 0) return;
  conn_->Exec(
      "CREATE COLLATION nocase (provider = icu, locale = 'und-u-ks-level2', "
      "deterministic = false)");
}

void PostgresDatabase::Exec(const std::string& sql) {
  // The statement may create, alter or drop tables, or change the search path.
  conn_->ForgetSchemas();
  conn_->Exec(sql);
}
int64_t PostgresDatabase::Changes() const {
  return conn_->Changes();
}

RecordsetRef PostgresDatabase::OpenTable(const std::string& name, const std::string& index) {
  return OpenPgTable(conn_, name, index);
}

RecordsetRef PostgresDatabase::OpenDynaset(const std::string& statementOrTable) {
  return OpenPgStatement(conn_, statementOrTable, RecordsetFlavour::Dynaset);
}

RecordsetRef PostgresDatabase::OpenNoMatchless(const std::string& statementOrTable) {
  return OpenPgStatement(conn_, statementOrTable, RecordsetFlavour::NoMatchless);
}

const LocaleSettings& PostgresDatabase::Locale() const {
  return conn_->Locale();
}

std::string PostgresDatabase::Describe() const {
  return conn_->Describe();
}

bool IsConnectionString(const std::string& text) {
  return text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0 ||
         text.find('=') != std::string::npos;
}

}  // namespace orvo
