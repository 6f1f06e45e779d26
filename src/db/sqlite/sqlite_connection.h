// SqliteConnection: one open SQLite handle, its cache of prepared statements, and the
// conversions between the library's Latin-1 text and the UTF-8 the database stores.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "db/dialect/sql_value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace orvo {

class SqliteConnection;

// A prepared statement borrowed from the connection's cache; reset and unbound when it
// goes out of scope so the cached statement never holds a read transaction open.
class SqlQuery {
 public:
  SqlQuery(SqliteConnection& conn, const std::string& sql);
  ~SqlQuery();
  SqlQuery(const SqlQuery&) = delete;
  SqlQuery& operator=(const SqlQuery&) = delete;

  void Bind(const std::vector<SqlValue>& values, int first = 1);
  void Bind(int position, const SqlValue& value);
  bool Step();   // true while a row is available
  void Reset();  // ready to run again with new values
  int ColumnCount() const;
  int ColumnType(int column) const;  // SQLITE_INTEGER ...
  int64_t ColumnInt(int column) const;
  double ColumnDouble(int column) const;
  std::string ColumnText(int column) const;  // Latin-1
  SqlValue Column(int column) const;
  std::string ColumnName(int column) const;
  std::string ColumnDeclType(int column) const;  // "" for expressions
  std::string ColumnTableName(int column) const;
  sqlite3_stmt* Handle() const { return stmt_; }

 private:
  SqliteConnection& conn_;
  std::string sql_;  // the cache key
  sqlite3_stmt* stmt_;
};

class SqliteConnection {
 public:
  struct Options {
    bool readOnly = false;
    bool mustExist = true;  // a missing file is an error, never created
    int busyTimeoutMs = 5000;
  };
  SqliteConnection(const std::string& path, const Options& options, LocaleSettings locale);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void Exec(const std::string& sql);  // one or more raw SQLite statements, no parameters
  int64_t Changes() const;
  // Changes by anyone, this connection included: a different value means cached rows and
  // counts may be stale.
  uint64_t DataStamp();
  const std::string& Path() const { return path_; }
  const LocaleSettings& Locale() const { return locale_; }
  sqlite3* Handle() const { return db_; }
  std::string NewTempName();

  // Raises orvo::Error for an SQLite result code, naming what was being done.
  [[noreturn]] void Raise(int rc, const std::string& doing) const;

 private:
  friend class SqlQuery;
  sqlite3_stmt* Prepare(const std::string& sql);
  void Release(sqlite3_stmt* stmt, std::string sql);

  sqlite3* db_ = nullptr;
  std::string path_;
  LocaleSettings locale_;
  std::map<std::string, sqlite3_stmt*> cache_;  // idle statements by their SQL text
  int tempCounter_ = 0;
};

using ConnectionRef = std::shared_ptr<SqliteConnection>;

}  // namespace orvo
