// KeysetCursor: SQLite's RowCursor. Walks a table or temporary table by key, with the row id
// as the row identity, steering the planner to the order's index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/keyset/row_cursor.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

// Where a cursor's rows come from: a table (or a temporary table the statement's rows
// were materialised into, refilled by `fill`), a condition and the fields.
struct SqliteRowSource {
  std::string from;   // SQL of the rows' source: a quoted table name
  SqlFragment where;  // the statement's own condition
  std::vector<std::string> fieldSql;
  std::vector<KeyColumn> order;      // the statement's ORDER BY; tables use their Index
  std::optional<TableSchema> table;  // to find the index that yields an order
  // Columns (SQL) read with the row id and required to match when a row is found again by
  // it, where the row id is no key of the user's: see recordset_open.cpp.
  std::vector<std::string> rowCheck;
  std::string tempTable;  // set when the rows were materialised
  SqlFragment fill;       // the statement that fills the temporary table
};

class KeysetCursor : public RowCursor {
 public:
  // Fills a materialised source's temporary table; drops it when destroyed.
  KeysetCursor(ConnectionRef conn, SqliteRowSource source);
  ~KeysetCursor() override;

  // After FROM, when a condition keeps many rows, goes " INDEXED BY \"ix\"" for an index
  // that yields the order, " NOT INDEXED" for row id order, "" when none does.
  void SetOrder(const std::vector<KeyColumn>& order) override;
  const std::vector<KeyColumn>& Order() const { return order_; }

  std::vector<CursorRow> Walk(bool forward, const KeyBound* bound, bool inclusive,
                              const SqlFragment* extra, int64_t skip, int64_t limit) override;
  std::optional<CursorRow> FirstEqual(const std::vector<SqlValue>& prefix) override;
  std::optional<CursorRow> ById(const std::vector<SqlValue>& id) override;
  int64_t Count() override;
  int64_t Estimate() override;
  void Refill() override;

  // How many rows a condition keeps, counted up to this many; fewer is "sparse".
  static constexpr int64_t kDenseRows = 256;
  // Rows looked at first, and how many of them must match to call a condition dense.
  static constexpr int64_t kSampleRows = 256;
  static constexpr int64_t kSampleHits = 2;

 private:
  // The query planner cannot see that a walk wants the first rows in order: given a
  // condition it may read every matching row and sort them. So each condition is
  // counted once (up to kDenseRows): with many matches the walk is pinned to the order's
  // index (the next match is near); with few, the order is hidden from the planner
  // (ORDER BY +key) so it finds the matches by their own index and sorts a handful.
  enum class Density { Unfiltered, None, Sparse, Dense };
  struct DensityMemo {
    std::string key;
    uint64_t stamp = 0;
    Density density = Density::Unfiltered;
    int64_t count = 0;
  };
  Density DensityOf(const SqlFragment* extra);
  Density Measure(DensityMemo& memo, std::string key, const SqlFragment* extra);
  SqlFragment Filter(const SqlFragment* extra, bool withBase = true) const;
  int64_t CountCapped(const SqlFragment& conditions, const SqlFragment* extra, int64_t cap,
                      bool withBase = true);

  std::string KeySql(size_t level) const;  // level == order_.size() is the row id
  std::string OrderBy(bool forward, bool hidden) const;
  std::vector<CursorRow> Run(const SqlFragment& conditions, const SqlFragment* extra, bool forward,
                             int64_t skip, int64_t limit, Density density, bool keysOnly = false);

  ConnectionRef keep_;
  SqliteConnection& conn_;
  SqliteRowSource source_;
  std::string from_;
  SqlFragment baseWhere_;
  std::vector<std::string> fieldSql_;
  std::vector<KeyColumn> order_;
  std::string denseHint_;
  std::string selectList_, keysList_;
  std::optional<int64_t> count_;
  uint64_t countStamp_ = 0;
  DensityMemo baseDensity_, findDensity_;
};

}  // namespace orvo
