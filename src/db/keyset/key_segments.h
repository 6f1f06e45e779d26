// The index ranges of a keyset walk, for either engine. A walk from a bound over key levels
// k1..km (the order's columns, then the row identity) is split into segments, nearest first:
// (k1..k(m-1) equal, km after the bound), then (k1..k(m-2) equal, k(m-1) after), ... Each
// segment is one index range, so every probe is a seek whatever the mix of ascending and
// descending columns. NULL sorts below every value, so "after" on a descending walk gets a
// separate trailing segment for NULLs.
#pragma once

#include <string>
#include <vector>

#include "db/dialect/sql_value.h"

namespace orvo {

struct KeyLevel {
  std::string sql;  // the key as SQL: "\"nome\"", "rowid"
  bool descending = false;
  std::string placeholder = "?";  // how the bound's value is written: "?::float8"
};

// " AND (where) AND (extra)", for those that are there: a statement's condition and a
// find's criterion.
SqlFragment AndConditions(const SqlFragment& where, const SqlFragment* extra);

// "key IS NULL" or "key = ?", with a leading " AND ".
SqlFragment KeyEquals(const std::string& keySql, const SqlValue& value,
                      const std::string& placeholder = "?");

// The conditions (each a run of " AND ..." terms) of the segments of a walk from a bound
// holding the leading `values.size()` levels: forwards or backwards, `inclusive` taking the
// rows equal to the whole bound.
std::vector<SqlFragment> KeySegments(const std::vector<KeyLevel>& levels,
                                     const std::vector<SqlValue>& values, bool forward,
                                     bool inclusive);

}  // namespace orvo
