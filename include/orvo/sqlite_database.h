// SqliteDatabase: the Database of an SQLite file (or ":memory:"), for the forms of one desk.
#pragma once

#include <memory>
#include <string>

#include "orvo/database.h"
#include "orvo/locale_settings.h"

namespace orvo {

class SqliteConnection;

struct DatabaseOptions {
  bool readOnly = false;
  bool create = false;       // create the file when missing (never when read-only)
  int busyTimeoutMs = 5000;  // how long to wait for another user's lock before raising 3218
};

class SqliteDatabase : public Database {
 public:
  // Raises 3024 for a missing file (unless create), 3343 for a file that is no database,
  // 3051 when it cannot be opened, 3218 when it stays locked.
  static std::shared_ptr<SqliteDatabase> Open(const std::string& path,
                                              LocaleSettings locale = LocaleSettings::PtBR(),
                                              DatabaseOptions options = {});

  void Exec(const std::string& sql) override;
  int64_t Changes() const override;

  RecordsetRef OpenTable(const std::string& name, const std::string& index = "") override;
  RecordsetRef OpenDynaset(const std::string& statementOrTable) override;
  RecordsetRef OpenNoMatchless(const std::string& statementOrTable) override;

  const std::string& Path() const;
  const LocaleSettings& Locale() const override;
  std::string Describe() const override;

 private:
  explicit SqliteDatabase(std::shared_ptr<SqliteConnection> conn) : conn_(std::move(conn)) {}
  std::shared_ptr<SqliteConnection> conn_;
};

}  // namespace orvo
