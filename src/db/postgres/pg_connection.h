// PgConnection: one libpq connection to a PostgreSQL server, its cache of prepared
// statements and of the table schemas it has read, the values of result rows, and
// reconnection: a lost connection raises an error naming the server, and the next operation
// connects again.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "db/dialect/sql_value.h"
#include "db/keyset/table_schema.h"

struct pg_conn;
struct pg_result;

namespace orvo {

class PgConnection;

// The rows of one query. Values come back in the library's text (Latin-1), numbers as
// numbers, truth values as 1/0, dates as ISO text ("2024-12-25 13:45:00").
class PgRows {
 public:
  explicit PgRows(pg_result* result) : result_(result) {}
  ~PgRows();
  PgRows(PgRows&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
  PgRows& operator=(PgRows&&) = delete;
  PgRows(const PgRows&) = delete;

  int Count() const;
  int Columns() const;
  SqlValue Value(int row, int column) const;
  // The server's text of a value (ServerText), or Null.
  SqlValue Raw(int row, int column) const;
  bool IsNull(int row, int column) const;
  std::string Text(int row, int column) const;  // Latin-1
  int64_t Integer(int row, int column) const;
  std::string Name(int column) const;
  uint32_t TypeOid(int column) const;
  int TypeModifier(int column) const;
  uint32_t TableOid(int column) const;  // 0 for an expression

 private:
  pg_result* result_;
};

class PgConnection {
 public:
  // Raises 3151 naming the server when it cannot connect.
  PgConnection(std::string conninfo, LocaleSettings locale);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // One or more raw statements, no parameters. Text is Latin-1.
  void Exec(const std::string& sql);
  int64_t Changes() const { return changes_; }
  // A statement with "?" placeholders, prepared once per connection and run with `params`
  // bound as text. Server text (ServerText) is sent as it came.
  PgRows Query(const SqlFragment& query);
  PgRows Query(const std::string& sql, const std::vector<SqlValue>& params = {});

  // COPY ... FROM STDIN with the rows `next` writes (text format, one line each, Latin-1)
  // until it returns false.
  void CopyIn(const std::string& copySql, const std::function<bool(std::string& line)>& next);

  const LocaleSettings& Locale() const { return locale_; }
  // "server `/tmp/x:5432` database `orvo`"
  std::string Describe() const;
  // Changes with every new session: temporary tables of an older one are gone.
  uint64_t Session() const { return session_; }
  std::string NewTempName();
  // The statements sent and answered so far, each one wait for the server.
  int64_t RoundTrips() const { return roundTrips_; }

  // Table schemas already read on this connection, by the name they were asked for. Opening
  // a table reads three catalogue queries, so a schema read once is kept until the schema
  // may have changed: a statement of the application's own (Exec of PostgresDatabase), a
  // statement refused for a missing or changed table or column (another user's DDL), a new
  // session, or a Requery.
  const TableSchema* KnownSchema(const std::string& name) const;
  void RememberSchema(const std::string& name, const TableSchema& schema);
  void ForgetSchemas() { schemas_.clear(); }

 private:
  void Connect();
  void EnsureConnected();
  [[noreturn]] void RaiseFailure(pg_result* result, const std::string& doing);
  PgRows Check(pg_result* result, const std::string& doing);

  std::string conninfo_;
  LocaleSettings locale_;
  pg_conn* conn_ = nullptr;
  std::string described_;
  std::map<std::string, std::string> prepared_;  // SQL text -> statement name
  std::map<std::string, TableSchema> schemas_;
  uint64_t session_ = 0;
  int64_t changes_ = 0;
  int64_t roundTrips_ = 0;
  int statementCounter_ = 0;
  int tempCounter_ = 0;
};

using PgConnectionRef = std::shared_ptr<PgConnection>;

// A value as the server wrote it (UTF-8), bound back untouched so that a key compares equal
// to itself whatever its type and characters. Marked by `integer` on a Text value.
inline constexpr int64_t kServerTextMark = 1;
inline SqlValue ServerText(std::string utf8) {
  SqlValue value = SqlValue::Text(std::move(utf8));
  value.integer = kServerTextMark;
  return value;
}

// "?" placeholders as "$1", "$2"...; those inside quotes and identifiers stay.
std::string NumberPlaceholders(const std::string& sql);

}  // namespace orvo
