// RowCursor: what a keyset recordset asks of its engine. An ordered set of rows (a table, a
// statement's condition, the current index's key columns with the row identity last) walked
// by key, never by position, so that opening, seeking and stepping cost index probes
// whatever the number of rows. Each call runs on its own: no cursor stays open between them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "db/dialect/sql_value.h"
#include "db/keyset/table_schema.h"

namespace orvo {

struct CursorRow {
  std::vector<SqlValue> id;      // the row identity: SQLite's row id, or the primary key
  std::vector<SqlValue> keys;    // the order's key values, identity not included
  std::vector<SqlValue> values;  // the fields
};

// A bound for a walk: the first `values.size()` key columns, plus the row identity when
// `withId` (a position on a row). No bound walks from an end.
struct KeyBound {
  std::vector<SqlValue> values;
  bool withId = false;
  std::vector<SqlValue> id;
};

class RowCursor {
 public:
  virtual ~RowCursor() = default;

  virtual void SetOrder(const std::vector<KeyColumn>& order) = 0;
  // Rows after (forward) or before (backward) the bound in the walk's direction, `inclusive`
  // taking rows equal to it; the first `skip` are passed over, at most `limit` returned.
  // `extra` is a further condition (a find's criterion), or null.
  virtual std::vector<CursorRow> Walk(bool forward, const KeyBound* bound, bool inclusive,
                                      const SqlFragment* extra, int64_t skip, int64_t limit) = 0;
  // The first row (in order) whose leading keys equal `prefix`.
  virtual std::optional<CursorRow> FirstEqual(const std::vector<SqlValue>& prefix) = 0;
  virtual std::optional<CursorRow> ById(const std::vector<SqlValue>& id) = 0;
  virtual int64_t Count() = 0;
  // Exact up to a few thousand rows; beyond, an estimate no smaller than that.
  virtual int64_t Estimate() { return Count(); }
  // Reads a materialised statement's rows again (Requery); nothing for rows read in place.
  virtual void Refill() {}

  static KeyBound BoundOf(const CursorRow& row) { return KeyBound{row.keys, true, row.id}; }
};

}  // namespace orvo
