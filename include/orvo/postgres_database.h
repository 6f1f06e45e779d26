// PostgresDatabase: the Database of a PostgreSQL server, for forms whose tables many people
// use at once. Opened from a libpq connection string ("host=/tmp/x dbname=orvo user=me").
// Each recordset operation is one or a few short statements in autocommit: nothing is held
// open while a user thinks, so other connections may change the rows at any time (see
// db/keyset/keyset_recordset.h for what a recordset then shows). A lost connection raises
// 3151 naming the server; the next operation connects again.
//
// Text keys compare without regard to case when their column's collation says so, as on
// SQLite with COLLATE NOCASE: a nondeterministic ICU collation, e.g.
//   CREATE COLLATION nocase (provider = icu, locale = 'und-u-ks-level2', deterministic = false)
// The column's own btree indexes then order and seek without case, so a seek stays one index
// probe; an index on lower(col) would not order the table as the column compares.
#pragma once

#include <memory>
#include <string>

#include "orvo/database.h"
#include "orvo/locale_settings.h"

namespace orvo {

class PgConnection;

class PostgresDatabase : public Database {
 public:
  // Raises 3151 when the server cannot be reached.
  static std::shared_ptr<PostgresDatabase> Open(const std::string& conninfo,
                                                LocaleSettings locale = LocaleSettings::PtBR());

  // Creates the case-insensitive collation `nocase` in the first schema of the search path,
  // when it is missing, so that "COLLATE NOCASE" reads the same on both engines.
  void CreateNocaseCollation();

  void Exec(const std::string& sql) override;
  int64_t Changes() const override;

  RecordsetRef OpenTable(const std::string& name, const std::string& index = "") override;
  RecordsetRef OpenDynaset(const std::string& statementOrTable) override;
  RecordsetRef OpenNoMatchless(const std::string& statementOrTable) override;

  const LocaleSettings& Locale() const override;
  std::string Describe() const override;
  PgConnection& Connection() { return *conn_; }

 private:
  explicit PostgresDatabase(std::shared_ptr<PgConnection> conn) : conn_(std::move(conn)) {}
  std::shared_ptr<PgConnection> conn_;
};

// True for text that reads as a connection string rather than a file name:
// "host=... dbname=..." or "postgresql://...".
bool IsConnectionString(const std::string& text);

}  // namespace orvo
