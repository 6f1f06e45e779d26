// KeysetCursor: walks an ordered set of rows (a table or temporary table, an optional
// condition, an order of key columns with the row id last) by key, never by position, so
// that opening, seeking and stepping cost index probes whatever the number of rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/sqlite/criteria_translator.h"
#include "db/sqlite/sqlite_connection.h"
#include "db/sqlite/table_schema.h"

namespace orvo {

struct CursorRow {
  int64_t rowid = 0;
  std::vector<SqlValue> keys;    // the order's key values, rowid not included
  std::vector<SqlValue> values;  // the fields
};

// A bound for a walk: the first `values.size()` key columns, plus the row id when
// `withRowid` (a position on a row). No bound walks from an end.
struct KeyBound {
  std::vector<SqlValue> values;
  bool withRowid = false;
  int64_t rowid = 0;
};

class KeysetCursor {
 public:
  // `from` is SQL (a quoted table name); `fieldSql` the field expressions in field order.
  KeysetCursor(SqliteConnection& conn, std::string from, SqlFragment baseWhere,
               std::vector<std::string> fieldSql);

  // `denseHint` goes after FROM when a condition keeps many rows: " INDEXED BY \"ix\"" for
  // an index that yields the order, " NOT INDEXED" for row id order, "" when none does.
  void SetOrder(std::vector<KeyColumn> order, std::string denseHint = "");
  const std::vector<KeyColumn>& Order() const { return order_; }

  // Rows after (forward) or before (backward) the bound in the walk's direction, `inclusive`
  // taking rows equal to it; the first `skip` are passed over, at most `limit` returned.
  std::vector<CursorRow> Walk(bool forward, const KeyBound* bound, bool inclusive,
                              const SqlFragment* extra, int64_t skip, int64_t limit);
  // The first row (in order) whose leading keys equal `prefix`.
  std::optional<CursorRow> FirstEqual(const std::vector<SqlValue>& prefix,
                                      const SqlFragment* extra);
  std::optional<CursorRow> ByRowid(int64_t rowid);
  int64_t Count();

  static KeyBound BoundOf(const CursorRow& row) { return KeyBound{row.keys, true, row.rowid}; }

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
  SqlFragment EqualTo(size_t level, const SqlValue& value) const;

  SqliteConnection& conn_;
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
