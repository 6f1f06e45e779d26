// PgCursor: PostgreSQL's RowCursor. Walks a table by key with the row identity (the primary
// key) last, one short statement per probe in autocommit, so no cursor or transaction stays
// open between calls and nothing is materialised. Statements the keyset cannot walk are
// copied into a temporary table numbered in statement order, made again when the
// connection is new (a temporary table lives as long as its session).
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "db/keyset/key_segments.h"
#include "db/keyset/row_cursor.h"
#include "db/postgres/pg_connection.h"

namespace orvo {

struct PgRowSource {
  std::string from;   // a quoted table name
  SqlFragment where;  // the statement's own condition
  std::vector<std::string> fieldSql;
  std::vector<KeyColumn> order;       // the statement's ORDER BY; tables use their Index
  std::vector<std::string> identity;  // the row identity's columns, last in the order
  // Columns read with the identity and required to match when a row is found again by it,
  // but not part of the order: the row version of a table without a key (see TableSource).
  std::vector<std::string> version;
  std::set<std::string> neverNull;  // columns (upper case) that hold no NULL
  // Materialised statements: the temporary table, its column definitions and the
  // statement that fills it.
  std::string tempTable;
  std::vector<std::string> tempColumns;
  SqlFragment fill;
};

class PgCursor : public RowCursor {
 public:
  PgCursor(PgConnectionRef conn, PgRowSource source);
  ~PgCursor() override;

  void SetOrder(const std::vector<KeyColumn>& order) override;
  std::vector<CursorRow> Walk(bool forward, const KeyBound* bound, bool inclusive,
                              const SqlFragment* extra, int64_t skip, int64_t limit) override;
  std::optional<CursorRow> FirstEqual(const std::vector<SqlValue>& prefix) override;
  std::optional<CursorRow> ById(const std::vector<SqlValue>& id) override;
  int64_t Count() override;
  int64_t Estimate() override;
  void Refill() override;

 private:
  void EnsureRows();  // the temporary table of this session
  void Fill();        // its rows, from the statement
  KeyLevel Level(size_t level) const;
  static std::string Placeholder(const SqlValue& value);
  size_t Levels() const { return order_.size() + source_.identity.size(); }
  size_t IdParts() const { return source_.identity.size() + source_.version.size(); }
  SqlFragment Filter(const SqlFragment* extra) const;
  std::string OrderBy(bool forward) const;
  SqlFragment Select(const SqlFragment& conditions, const SqlFragment* extra, bool forward,
                     int64_t limit) const;
  std::vector<CursorRow> Read(const SqlFragment& query);
  std::vector<CursorRow> Run(const SqlFragment& conditions, const SqlFragment* extra, bool forward,
                             int64_t skip, int64_t limit);
  int64_t CountCapped(const SqlFragment& conditions, const SqlFragment* extra, int64_t cap);

  PgConnectionRef conn_;
  PgRowSource source_;
  std::vector<KeyColumn> order_;
  std::string selectList_;
  uint64_t session_ = 0;  // the session whose temporary table holds the rows
  // The last count, and the snapshot and session it was taken in.
  std::optional<int64_t> count_;
  std::string countSnapshot_;
  uint64_t countSession_ = 0;
};

}  // namespace orvo
