// SqliteDatabase: the public face of the database engine. Opens an SQLite file (or
// ":memory:"), runs raw SQLite statements, and opens recordsets in the three flavours the
// lookup features use:
//   OpenTable       table recordset (Type 1): Index, Seek, NoMatch;
//   OpenDynaset     dynaset (Type 2) from a statement or table name: FindFirst.., NoMatch;
//   OpenNoMatchless the flavour without NoMatch: Find(criterion, skip, direction).
// Statements and criteria are read in the control's dialect ([names], 'literals', LIKE
// with *, CDate('..') under the locale, #..# dates, SELECT TOP n) and run with bound
// values only. Errors are orvo::Error with the numbers of db_errors.h.
#pragma once

#include <memory>
#include <string>

#include "base/locale_settings.h"
#include "lookup/recordset.h"

namespace orvo {

class SqliteConnection;

struct DatabaseOptions {
  bool readOnly = false;
  bool create = false;       // create the file when missing (never when read-only)
  int busyTimeoutMs = 5000;  // how long to wait for another user's lock before raising 3218
};

class SqliteDatabase {
 public:
  // Raises 3024 for a missing file (unless create), 3343 for a file that is no database,
  // 3051 when it cannot be opened, 3218 when it stays locked.
  static std::shared_ptr<SqliteDatabase> Open(const std::string& path,
                                              LocaleSettings locale = LocaleSettings::PtBR(),
                                              DatabaseOptions options = {});

  // One or more raw SQLite statements (no dialect translation, no parameters).
  void Exec(const std::string& sql);
  // Rows changed by the last Exec statement.
  int64_t Changes() const;

  RecordsetRef OpenTable(const std::string& name, const std::string& index = "");
  RecordsetRef OpenDynaset(const std::string& statementOrTable);
  RecordsetRef OpenNoMatchless(const std::string& statementOrTable);

  const std::string& Path() const;
  const LocaleSettings& Locale() const;

 private:
  explicit SqliteDatabase(std::shared_ptr<SqliteConnection> conn) : conn_(std::move(conn)) {}
  std::shared_ptr<SqliteConnection> conn_;
};

using DatabaseRef = std::shared_ptr<SqliteDatabase>;

}  // namespace orvo
