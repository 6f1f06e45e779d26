// SqliteDatabase: opening the connection and handing out recordsets.
#include "db/sqlite/sqlite_database.h"

#include "db/sqlite/recordset_open.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

std::shared_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, LocaleSettings locale,
                                                     DatabaseOptions options) {
  SqliteConnection::Options connOptions;
  connOptions.readOnly = options.readOnly;
  connOptions.mustExist = !options.create;
  connOptions.busyTimeoutMs = options.busyTimeoutMs;
  auto conn = std::make_shared<SqliteConnection>(path, connOptions, std::move(locale));
  return std::shared_ptr<SqliteDatabase>(new SqliteDatabase(std::move(conn)));
}

void SqliteDatabase::Exec(const std::string& sql) {
  conn_->Exec(sql);
}
int64_t SqliteDatabase::Changes() const {
  return conn_->Changes();
}

RecordsetRef SqliteDatabase::OpenTable(const std::string& name, const std::string& index) {
  return OpenTableRecordset(conn_, name, index);
}

RecordsetRef SqliteDatabase::OpenDynaset(const std::string& statementOrTable) {
  return OpenStatementRecordset(conn_, statementOrTable, RecordsetFlavour::Dynaset);
}

RecordsetRef SqliteDatabase::OpenNoMatchless(const std::string& statementOrTable) {
  return OpenStatementRecordset(conn_, statementOrTable, RecordsetFlavour::NoMatchless);
}

const std::string& SqliteDatabase::Path() const {
  return conn_->Path();
}
const LocaleSettings& SqliteDatabase::Locale() const {
  return conn_->Locale();
}
std::string SqliteDatabase::Describe() const {
  return "database `" + conn_->Path() + "`";
}

}  // namespace orvo
