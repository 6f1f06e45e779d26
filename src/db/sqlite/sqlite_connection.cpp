// SqliteConnection and SqlQuery: the only code that talks to the SQLite C interface directly.
#include "db/sqlite/sqlite_connection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <cstring>

#include "base/error.h"
#include "db/dialect/db_errors.h"
#include "db/sqlite/sqlite_like.h"

namespace orvo {

// ---- SqlQuery ----

SqlQuery::SqlQuery(SqliteConnection& conn, const std::string& sql)
    : conn_(conn), sql_(sql), stmt_(conn.Prepare(sql)) {}

SqlQuery::~SqlQuery() {
  conn_.Release(stmt_, std::move(sql_));
}

void SqlQuery::Bind(const std::vector<SqlValue>& values, int first) {
  for (size_t i = 0; i < values.size(); ++i) Bind(first + static_cast<int>(i), values[i]);
}

void SqlQuery::Bind(int position, const SqlValue& value) {
  int rc = SQLITE_OK;
  switch (value.kind) {
    case SqlValue::Kind::Null:
      rc = sqlite3_bind_null(stmt_, position);
      break;
    case SqlValue::Kind::Integer:
      rc = sqlite3_bind_int64(stmt_, position, value.integer);
      break;
    case SqlValue::Kind::Real:
      rc = sqlite3_bind_double(stmt_, position, value.real);
      break;
    case SqlValue::Kind::Text: {
      std::string utf8 = Latin1ToUtf8(value.text);
      rc = sqlite3_bind_text(stmt_, position, utf8.data(), static_cast<int>(utf8.size()),
                             SQLITE_TRANSIENT);
      break;
    }
  }
  if (rc != SQLITE_OK) conn_.Raise(rc, "binding a value");
}

bool SqlQuery::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  conn_.Raise(rc, "reading the database");
}

void SqlQuery::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int SqlQuery::ColumnCount() const {
  return sqlite3_column_count(stmt_);
}
int SqlQuery::ColumnType(int column) const {
  return sqlite3_column_type(stmt_, column);
}
int64_t SqlQuery::ColumnInt(int column) const {
  return sqlite3_column_int64(stmt_, column);
}
double SqlQuery::ColumnDouble(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string SqlQuery::ColumnText(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!text) return {};
  return Utf8ToLatin1(text, sqlite3_column_bytes(stmt_, column));
}

SqlValue SqlQuery::Column(int column) const {
  switch (ColumnType(column)) {
    case SQLITE_INTEGER:
      return SqlValue::Int(ColumnInt(column));
    case SQLITE_FLOAT:
      return SqlValue::Real(ColumnDouble(column));
    case SQLITE_NULL:
      return {};
    case SQLITE_BLOB: {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
      return SqlValue::Text(std::string(bytes ? bytes : "", sqlite3_column_bytes(stmt_, column)));
    }
    default:
      return SqlValue::Text(ColumnText(column));
  }
}

std::string SqlQuery::ColumnName(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? Utf8ToLatin1(name, static_cast<int>(std::strlen(name))) : std::string();
}

std::string SqlQuery::ColumnDeclType(int column) const {
  const char* type = sqlite3_column_decltype(stmt_, column);
  return type ? type : "";
}

std::string SqlQuery::ColumnTableName(int column) const {
  const char* table = sqlite3_column_table_name(stmt_, column);
  return table ? table : "";
}

// ---- SqliteConnection ----

namespace {

// "ROLLBACK" or "rollback transaction;" as a whole statement.
bool IsRollback(const std::string& sql) {
  std::string words;
  for (char ch : sql) {
    if (ch == ';') break;
    if (std::isspace(static_cast<unsigned char>(ch))) {
      if (!words.empty() && words.back() != ' ') words += ' ';
    } else {
      words += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words == "ROLLBACK" || words == "ROLLBACK TRANSACTION";
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, const Options& options,
                                   LocaleSettings locale)
    : path_(path), locale_(std::move(locale)) {
  bool memory = path == ":memory:" || path.empty();
  struct stat info {};
  bool exists = memory || ::stat(path.c_str(), &info) == 0;
  if (!exists && (options.mustExist || options.readOnly)) {
    RaiseError(dberr::kFileNotFound, "could not find database file `" + path + "`");
  }
  if (!memory && exists && S_ISDIR(info.st_mode)) {
    RaiseError(dberr::kCannotOpen, "`" + path + "` is a folder, not a database file");
  }
  int flags =
      SQLITE_OPEN_NOMUTEX | (options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
  if (!options.readOnly && !options.mustExist) flags |= SQLITE_OPEN_CREATE;
  int rc = sqlite3_open_v2(memory ? ":memory:" : path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseError(dberr::kCannotOpen, "could not open database `" + path + "`: " + message);
  }
  sqlite3_extended_result_codes(db_, 0);
  sqlite3_busy_timeout(db_, options.busyTimeoutMs);
  RegisterCaselessLike(db_);
  // A file that is not a database only shows itself on the first read; make that read now
  // so the error names the file instead of surfacing at some later query.
  rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT) {
      RaiseError(dberr::kNotADatabase,
                 "`" + path + "` is not a database or is damaged: " + message);
    }
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
      RaiseError(dberr::kLocked, "database `" + path + "` is locked by another user");
    }
    RaiseError(dberr::kCannotOpen, "could not open database `" + path + "`: " + message);
  }
}

SqliteConnection::~SqliteConnection() {
  for (auto& [sql, stmt] : cache_) sqlite3_finalize(stmt);
  sqlite3_close_v2(db_);
}

sqlite3_stmt* SqliteConnection::Prepare(const std::string& sql) {
  auto it = cache_.find(sql);
  if (it != cache_.end()) {
    sqlite3_stmt* stmt = it->second;
    cache_.erase(it);
    return stmt;
  }
  sqlite3_stmt* stmt = nullptr;
  std::string utf8 = Latin1ToUtf8(sql);
  int rc = sqlite3_prepare_v2(db_, utf8.c_str(), static_cast<int>(utf8.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = sqlite3_errmsg(db_);
    sqlite3_finalize(stmt);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) Raise(rc, "preparing a query");
    RaiseError(dberr::kEngineError, "the database refused the query: " + message);
  }
  return stmt;
}

void SqliteConnection::Release(sqlite3_stmt* stmt, std::string sql) {
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  if (cache_.size() >= 256 || cache_.count(sql)) {
    sqlite3_finalize(stmt);
    return;
  }
  cache_.emplace(std::move(sql), stmt);
}

void SqliteConnection::Exec(const std::string& sql) {
  char* message = nullptr;
  int rc = sqlite3_exec(db_, Latin1ToUtf8(sql).c_str(), nullptr, nullptr, &message);
  if (rc == SQLITE_OK) return;
  std::string text = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED || rc == SQLITE_READONLY || rc == SQLITE_FULL)
    Raise(rc, "running `" + sql + "`");
  // ROLLBACK with no transaction open is no error, as on PostgreSQL: a full disk or an I/O
  // error may already have rolled the transaction back, and the handler that undoes a failed
  // save must not replace that error with its own.
  if (rc == SQLITE_ERROR && sqlite3_get_autocommit(db_) && IsRollback(sql)) return;
  RaiseError(dberr::kEngineError, "statement `" + sql + "` failed: " + text);
}

int64_t SqliteConnection::Changes() const {
  return sqlite3_changes(db_);
}

uint64_t SqliteConnection::DataStamp() {
  // data_version moves when another connection commits; total_changes when this one writes.
  int64_t version = 0;
  {
    SqlQuery query(*this, "PRAGMA data_version");
    if (query.Step()) version = query.ColumnInt(0);
  }
  return (static_cast<uint64_t>(version) << 32) ^
         static_cast<uint64_t>(sqlite3_total_changes64(db_));
}

std::string SqliteConnection::NewTempName() {
  return "orvo_rs_" + std::to_string(++tempCounter_);
}

void SqliteConnection::Raise(int rc, const std::string& doing) const {
  std::string where = "database `" + path_ + "`";
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      RaiseError(dberr::kLocked, where + " is locked by another user (while " + doing + ")");
    case SQLITE_READONLY: {
      // The file was deleted or renamed under the open connection, which reads on from the
      // file it opened but must not write where nobody will find it.
      int moved = 0;
      sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved);
      if (moved) {
        RaiseError(dberr::kReadOnly, where +
                                         " was deleted or moved after it was opened; open it"
                                         " again where it now is (while " +
                                         doing + ")");
      }
      RaiseError(dberr::kReadOnly, where + " is read-only (while " + doing + ")");
    }
    case SQLITE_FULL:
      RaiseError(dberr::kDiskFull, where +
                                       " is full: its disk or its size limit leaves no room"
                                       " (while " +
                                       doing + "); nothing was written");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      RaiseError(dberr::kNotADatabase, where + " is damaged (while " + doing + ")");
    default:
      RaiseError(dberr::kEngineError,
                 where + ": " + sqlite3_errmsg(db_) + " (while " + doing + ")");
  }
}

}  // namespace orvo
