// PgConnection and PgRows: the only code that talks to libpq.
#include "db/postgres/pg_connection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/error.h"
#include "db/dialect/db_errors.h"
#include "db/postgres/pg_type_oids.h"

namespace orvo {

// ---- PgRows ----

PgRows::~PgRows() {
  PQclear(result_);
}

int PgRows::Count() const {
  return PQntuples(result_);
}
int PgRows::Columns() const {
  return PQnfields(result_);
}
bool PgRows::IsNull(int row, int column) const {
  return PQgetisnull(result_, row, column) != 0;
}
std::string PgRows::Text(int row, int column) const {
  return Utf8ToLatin1(PQgetvalue(result_, row, column), PQgetlength(result_, row, column));
}
int64_t PgRows::Integer(int row, int column) const {
  return std::strtoll(PQgetvalue(result_, row, column), nullptr, 10);
}
std::string PgRows::Name(int column) const {
  const char* name = PQfname(result_, column);
  return Utf8ToLatin1(name, static_cast<int>(std::strlen(name)));
}
uint32_t PgRows::TypeOid(int column) const {
  return PQftype(result_, column);
}
int PgRows::TypeModifier(int column) const {
  return PQfmod(result_, column);
}
uint32_t PgRows::TableOid(int column) const {
  return PQftable(result_, column);
}

SqlValue PgRows::Raw(int row, int column) const {
  if (IsNull(row, column)) return {};
  return ServerText(
      std::string(PQgetvalue(result_, row, column), PQgetlength(result_, row, column)));
}

SqlValue PgRows::Value(int row, int column) const {
  if (IsNull(row, column)) return {};
  const char* text = PQgetvalue(result_, row, column);
  switch (TypeOid(column)) {
    case pgtype::kBool:
      return SqlValue::Int(text[0] == 't' ? 1 : 0);
    case pgtype::kInt2:
    case pgtype::kInt4:
    case pgtype::kInt8:
    case pgtype::kOid:
      return SqlValue::Int(std::strtoll(text, nullptr, 10));
    case pgtype::kFloat4:
    case pgtype::kFloat8:
    case pgtype::kNumeric:
      return SqlValue::Real(std::strtod(text, nullptr));
    case pgtype::kMoney: {
      // "$1,234.50": the digits, sign and point only.
      std::string digits;
      for (const char* p = text; *p; ++p) {
        if ((*p >= '0' && *p <= '9') || *p == '.' || *p == '-') digits += *p;
      }
      return SqlValue::Real(std::strtod(digits.c_str(), nullptr));
    }
    case pgtype::kTimestamp:
    case pgtype::kTimestamptz: {
      // "2024-01-05 10:30:00.25+00": seconds are enough for a serial date.
      std::string value(text, std::min<size_t>(19, std::strlen(text)));
      if (value.size() == 19 && value.compare(11, 8, "00:00:00") == 0) value.resize(10);
      return SqlValue::Text(value);
    }
    case pgtype::kBytea: {
      // "\x4869": hex pairs.
      std::string bytes;
      for (const char* p = text + 2; p[0] && p[1]; p += 2) {
        bytes += static_cast<char>(std::strtol(std::string(p, 2).c_str(), nullptr, 16));
      }
      return SqlValue::Text(bytes);
    }
    default:
      return SqlValue::Text(Text(row, column));
  }
}

// ---- PgConnection ----

std::string NumberPlaceholders(const std::string& sql) {
  std::string out;
  out.reserve(sql.size() + 16);
  int number = 0;
  char quote = 0;
  for (char c : sql) {
    if (quote) {
      if (c == quote) quote = 0;
      out += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      out += c;
    } else if (c == '?') {
      out += '$' + std::to_string(++number);
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// The connection string as messages show it: without its password.
std::string WithoutPassword(const std::string& conninfo) {
  std::string out = conninfo;
  for (size_t at = out.find("password="); at != std::string::npos;
       at = out.find("password=", at + 12)) {
    size_t end = at + 9;
    if (end < out.size() && out[end] == '\'') {
      end = out.find('\'', end + 1);
      end = end == std::string::npos ? out.size() : end + 1;
    } else {
      end = std::min(out.find(' ', end), out.size());
    }
    out.replace(at, end - at, "password=...");
  }
  return out;
}

}  // namespace

PgConnection::PgConnection(std::string conninfo, LocaleSettings locale)
    : conninfo_(std::move(conninfo)), locale_(std::move(locale)) {
  Connect();
}

PgConnection::~PgConnection() {
  PQfinish(conn_);
}

void PgConnection::Connect() {
  if (conn_) PQfinish(conn_);
  prepared_.clear();
  schemas_.clear();
  ++session_;
  conn_ = PQconnectdb(conninfo_.c_str());
  if (PQstatus(conn_) != CONNECTION_OK) {
    std::string message = PQerrorMessage(conn_);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
      message.pop_back();
    PQfinish(conn_);
    conn_ = nullptr;
    std::string where = described_.empty()
                            ? "the PostgreSQL server (`" + WithoutPassword(conninfo_) + "`)"
                            : "the PostgreSQL " + described_;
    RaiseError(dberr::kConnectionFailed, "could not connect to " + where + ": " + message);
  }
  const char* host = PQhost(conn_);
  const char* port = PQport(conn_);
  described_ = std::string("server `") + (host ? host : "") + ":" + (port ? port : "") +
               "` database `" + PQdb(conn_) + "`";
  // Text crosses the boundary as UTF-8 and dates as ISO text, whatever the server's defaults.
  // A row another user holds in an open transaction is waited for as long as SQLite waits
  // for a locked file, then reported as locked (55P03), never waited for without end.
  PGresult* setup = PQexec(conn_,
                           "SET client_encoding = 'UTF8'; SET DateStyle = 'ISO, YMD';"
                           " SET extra_float_digits = 1; SET standard_conforming_strings = on;"
                           " SET client_min_messages = warning; SET lock_timeout = '5s'");
  Check(setup, "setting up the session");
}

void PgConnection::EnsureConnected() {
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK) Connect();
}

std::string PgConnection::Describe() const {
  return described_.empty() ? "server `" + WithoutPassword(conninfo_) + "`" : described_;
}

void PgConnection::RaiseFailure(PGresult* result, const std::string& doing) {
  std::string message = result ? PQresultErrorMessage(result) : PQerrorMessage(conn_);
  const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
  std::string code = state ? state : "";
  PQclear(result);
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  if (message.rfind("ERROR:  ", 0) == 0) message.erase(0, 8);
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK || code.rfind("08", 0) == 0 ||
      code.rfind("57P", 0) == 0) {
    // The server went away (restart, shutdown, network): the next operation reconnects.
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
    RaiseError(dberr::kConnectionFailed, "lost the connection to the PostgreSQL " + Describe() +
                                             " (while " + doing + "): " + message);
  }
  // Class 42 (an undefined table or column, a type mismatch) is what a statement built on a
  // schema another user has since altered meets; 0A000 is a prepared statement whose result
  // columns changed type, which the server refuses for as long as the statement lives.
  if (code.rfind("42", 0) == 0 || code == "0A000") schemas_.clear();
  if (code == "0A000") {
    prepared_.clear();
    PQclear(PQexec(conn_, "DEALLOCATE ALL"));
  }
  if (code == "40P01" || code == "55P03" || code == "40001") {
    RaiseError(dberr::kLocked, Describe() + " is locked by another user (while " + doing + ")");
  }
  if (code == "25006") {
    RaiseError(dberr::kReadOnly, Describe() + " is read-only (while " + doing + ")");
  }
  RaiseError(dberr::kEngineError, Describe() + ": " + message + " (while " + doing + ")");
}

PgRows PgConnection::Check(PGresult* result, const std::string& doing) {
  ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) RaiseFailure(result, doing);
  const char* tuples = PQcmdTuples(result);
  changes_ = tuples && *tuples ? std::strtoll(tuples, nullptr, 10) : 0;
  return PgRows(result);
}

void PgConnection::Exec(const std::string& sql) {
  EnsureConnected();
  ++roundTrips_;
  PGresult* result = PQexec(conn_, Latin1ToUtf8(sql).c_str());
  // Several statements: the result is the last one's, or the first failure's.
  Check(result, "running `" + sql + "`");
}

PgRows PgConnection::Query(const SqlFragment& query) {
  return Query(query.sql, query.params);
}

PgRows PgConnection::Query(const std::string& sql, const std::vector<SqlValue>& params) {
  EnsureConnected();
  auto it = prepared_.find(sql);
  if (it == prepared_.end()) {
    std::string name = "orvo_" + std::to_string(++statementCounter_);
    ++roundTrips_;
    PGresult* prepared =
        PQprepare(conn_, name.c_str(), Latin1ToUtf8(NumberPlaceholders(sql)).c_str(), 0, nullptr);
    Check(prepared, "preparing a query");
    it = prepared_.emplace(sql, name).first;
  }
  std::vector<std::string> texts(params.size());
  std::vector<const char*> values(params.size());
  char buffer[40];
  for (size_t i = 0; i < params.size(); ++i) {
    const SqlValue& p = params[i];
    switch (p.kind) {
      case SqlValue::Kind::Null:
        values[i] = nullptr;
        continue;
      case SqlValue::Kind::Integer:
        texts[i] = std::to_string(p.integer);
        break;
      case SqlValue::Kind::Real:
        std::snprintf(buffer, sizeof buffer, "%.17g", p.real);
        texts[i] = buffer;
        break;
      case SqlValue::Kind::Text:
        texts[i] = p.integer == kServerTextMark ? p.text : Latin1ToUtf8(p.text);
        // The server refuses NUL in text; a trailing one only guards blanks in the library.
        texts[i] = texts[i].substr(0, texts[i].find('\0'));
        break;
    }
    values[i] = texts[i].c_str();
  }
  ++roundTrips_;
  PGresult* result = PQexecPrepared(conn_, it->second.c_str(), static_cast<int>(values.size()),
                                    values.data(), nullptr, nullptr, 0);
  return Check(result, "reading the database");
}

void PgConnection::CopyIn(const std::string& copySql,
                          const std::function<bool(std::string& line)>& next) {
  EnsureConnected();
  PGresult* start = PQexec(conn_, Latin1ToUtf8(copySql).c_str());
  if (PQresultStatus(start) != PGRES_COPY_IN) {
    Check(start, "starting `" + copySql + "`");
    RaiseError(dberr::kEngineError, "`" + copySql + "` is not a COPY FROM STDIN");
  }
  PQclear(start);
  std::string line, chunk;
  bool ok = true;
  while (ok && next(line)) {
    chunk += Latin1ToUtf8(line);
    chunk += '\n';
    line.clear();
    if (chunk.size() >= (1 << 16)) {
      ok = PQputCopyData(conn_, chunk.data(), static_cast<int>(chunk.size())) == 1;
      chunk.clear();
    }
  }
  if (ok && !chunk.empty()) {
    ok = PQputCopyData(conn_, chunk.data(), static_cast<int>(chunk.size())) == 1;
  }
  PQputCopyEnd(conn_, ok ? nullptr : "the copy was abandoned");
  Check(PQgetResult(conn_), "copying rows");
  while (PGresult* rest = PQgetResult(conn_)) PQclear(rest);
}

const TableSchema* PgConnection::KnownSchema(const std::string& name) const {
  auto found = schemas_.find(name);
  return found == schemas_.end() ? nullptr : &found->second;
}

void PgConnection::RememberSchema(const std::string& name, const TableSchema& schema) {
  schemas_[name] = schema;
}

std::string PgConnection::NewTempName() {
  return "orvo_rs_" + std::to_string(++tempCounter_);
}

}  // namespace orvo
