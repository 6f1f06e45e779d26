// SQLite's keyset walks, segment by segment (see db/keyset/key_segments.h).
#include "db/sqlite/keyset_cursor.h"

#include <algorithm>

#include "base/error.h"
#include "db/keyset/key_segments.h"
#include "db/sqlite/sqlite_catalog.h"

namespace orvo {

KeysetCursor::KeysetCursor(ConnectionRef conn, SqliteRowSource source)
    : keep_(std::move(conn)),
      conn_(*keep_),
      source_(std::move(source)),
      from_(source_.from),
      baseWhere_(source_.where),
      fieldSql_(source_.fieldSql) {
  if (!source_.tempTable.empty()) Refill();
  SetOrder(source_.order);
}

KeysetCursor::~KeysetCursor() {
  if (source_.tempTable.empty()) return;
  try {
    conn_.Exec("DROP TABLE IF EXISTS temp." + QuoteIdentifier(source_.tempTable));
  } catch (const Error&) {
    // A connection that can no longer drop the temporary table drops it when it closes.
  }
}

void KeysetCursor::Refill() {
  if (source_.tempTable.empty()) return;
  conn_.Exec("DELETE FROM temp." + QuoteIdentifier(source_.tempTable));
  SqlQuery fill(conn_,
                "INSERT INTO temp." + QuoteIdentifier(source_.tempTable) + " " + source_.fill.sql);
  fill.Bind(source_.fill.params);
  fill.Step();
}

void KeysetCursor::SetOrder(const std::vector<KeyColumn>& order) {
  order_ = order;
  if (!source_.tempTable.empty()) {
    denseHint_ = " NOT INDEXED";
  } else if (source_.table) {
    denseHint_ = OrderHint(*source_.table, order_);
  } else {
    denseHint_.clear();
  }
  keysList_ = "rowid";
  for (const auto& column : source_.rowCheck) keysList_ += ", " + column;
  for (size_t i = 0; i < order_.size(); ++i) keysList_ += ", " + KeySql(i);
  selectList_ = keysList_;
  for (const auto& field : fieldSql_) selectList_ += ", " + field;
}

std::string KeysetCursor::KeySql(size_t level) const {
  if (level >= order_.size()) return "rowid";
  const KeyColumn& key = order_[level];
  std::string sql = key.name == "rowid" ? "rowid" : QuoteIdentifier(key.name);
  if (!key.collation.empty()) sql += " COLLATE " + key.collation;
  return sql;
}

std::string KeysetCursor::OrderBy(bool forward, bool hidden) const {
  // "+key" sorts the same but cannot be served by an index.
  const char* plus = hidden ? "+" : "";
  std::string sql = " ORDER BY ";
  for (size_t i = 0; i < order_.size(); ++i) {
    bool ascending = order_[i].descending != forward;
    sql += plus + KeySql(i) + (ascending ? " ASC, " : " DESC, ");
  }
  return sql + plus + (forward ? "rowid ASC" : "rowid DESC");
}

SqlFragment KeysetCursor::Filter(const SqlFragment* extra, bool withBase) const {
  return AndConditions(withBase ? baseWhere_ : SqlFragment{}, extra);
}

int64_t KeysetCursor::CountCapped(const SqlFragment& conditions, const SqlFragment* extra,
                                  int64_t cap, bool withBase) {
  SqlFragment query{"SELECT count(*) FROM (SELECT 1 FROM " + from_ + " WHERE 1", {}};
  query.Append(Filter(extra, withBase));
  query.Append(conditions);
  query.Append(" LIMIT ?)");
  query.params.push_back(SqlValue::Int(cap));
  SqlQuery q(conn_, query.sql);
  q.Bind(query.params);
  q.Step();
  return q.ColumnInt(0);
}

KeysetCursor::Density KeysetCursor::Measure(DensityMemo& memo, std::string key,
                                            const SqlFragment* extra) {
  uint64_t stamp = conn_.DataStamp();
  if (memo.density != Density::Unfiltered && memo.key == key && memo.stamp == stamp) {
    return memo.density;
  }
  const bool withBase = extra == nullptr;
  // A first look at rows spread evenly over the table: a condition common there is taken
  // as dense without counting, since counting through the planner's choice of index can
  // mean reading most of that index before the first match.
  int64_t first = 0, last = -1;
  {
    // Two subqueries: min and max together in one aggregate would scan the table.
    SqlQuery bounds(conn_, "SELECT (SELECT min(rowid) FROM " + from_ +
                               "), (SELECT max(rowid) FROM " + from_ + ")");
    if (bounds.Step() && bounds.ColumnType(0) != 5 /* NULL */) {
      first = bounds.ColumnInt(0);
      last = bounds.ColumnInt(1);
    }
  }
  int64_t seen = 0;
  if (last >= first) {
    const int64_t step = std::max<int64_t>(1, (last - first + 1) / kSampleRows);
    // Each sampled row is probed by a correlated subquery: as a join, the planner may first
    // build a Bloom filter over the whole table, which reads every row.
    SqlFragment sample{
        "WITH RECURSIVE s(x) AS (SELECT ?1 UNION ALL SELECT x + ?2 FROM s WHERE x + ?2 <= ?3) "
        "SELECT coalesce(sum((SELECT count(*) FROM " +
            from_ + " WHERE " + from_ + ".rowid = s.x",
        {SqlValue::Int(first), SqlValue::Int(step), SqlValue::Int(last)}};
    sample.Append(Filter(extra, withBase));
    sample.Append(")), 0) FROM s");
    SqlQuery q(conn_, sample.sql);
    q.Bind(sample.params);
    q.Step();
    seen = q.ColumnInt(0);
  }
  int64_t count = seen >= kSampleHits ? kDenseRows : CountCapped({}, extra, kDenseRows, withBase);
  memo = {std::move(key), stamp,
          count == 0           ? Density::None
          : count < kDenseRows ? Density::Sparse
                               : Density::Dense,
          count};
  return memo.density;
}

KeysetCursor::Density KeysetCursor::DensityOf(const SqlFragment* extra) {
  const bool hasExtra = extra && !extra->sql.empty();
  Density base = baseWhere_.sql.empty() ? Density::Unfiltered : Measure(baseDensity_, "", nullptr);
  if (!hasExtra || base == Density::None || base == Density::Sparse) return base;
  // A criterion is measured alone: counting it together with the statement's condition
  // lets the planner pick a path that is slow to count. Both dense is taken as dense.
  std::string key = extra->sql;
  for (const SqlValue& p : extra->params) {
    key += '\x01' + std::to_string(static_cast<int>(p.kind)) + ':' + std::to_string(p.integer) +
           ':' + std::to_string(p.real) + ':' + p.text;
  }
  return Measure(findDensity_, std::move(key), extra);
}

std::vector<CursorRow> KeysetCursor::Run(const SqlFragment& conditions, const SqlFragment* extra,
                                         bool forward, int64_t skip, int64_t limit, Density density,
                                         bool keysOnly) {
  SqlFragment query{"SELECT " + (keysOnly ? keysList_ : selectList_) + " FROM " + from_, {}};
  if (density == Density::Dense) query.Append(denseHint_);
  query.Append(" WHERE 1");
  query.Append(Filter(extra));
  query.Append(conditions);
  query.Append(OrderBy(forward, density == Density::Sparse) + " LIMIT ? OFFSET ?");
  query.params.push_back(SqlValue::Int(limit));
  query.params.push_back(SqlValue::Int(skip));

  std::vector<CursorRow> rows;
  SqlQuery q(conn_, query.sql);
  q.Bind(query.params);
  const int checkCount = static_cast<int>(source_.rowCheck.size());
  const int keyCount = static_cast<int>(order_.size());
  const int fieldCount = keysOnly ? 0 : static_cast<int>(fieldSql_.size());
  while (q.Step()) {
    CursorRow row;
    row.id = {SqlValue::Int(q.ColumnInt(0))};
    for (int i = 0; i < checkCount; ++i) row.id.push_back(q.Column(1 + i));
    for (int i = 0; i < keyCount; ++i) row.keys.push_back(q.Column(1 + checkCount + i));
    for (int i = 0; i < fieldCount; ++i) {
      row.values.push_back(q.Column(1 + checkCount + keyCount + i));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<CursorRow> KeysetCursor::Walk(bool forward, const KeyBound* bound, bool inclusive,
                                          const SqlFragment* extra, int64_t skip, int64_t limit) {
  const Density density = DensityOf(extra);
  if (density == Density::None || limit <= 0) return {};
  std::vector<SqlFragment> segments;
  if (!bound) {
    segments.push_back({});
  } else {
    // Levels: the bound's key columns, then the row id when the bound is a row.
    std::vector<SqlValue> values = bound->values;
    if (bound->withId) values.push_back(bound->id.at(0));
    std::vector<KeyLevel> levels;
    for (size_t level = 0; level < values.size(); ++level) {
      bool rowid = bound->withId && level + 1 == values.size();
      levels.push_back({KeySql(rowid ? order_.size() : level),
                        !rowid && level < order_.size() && order_[level].descending});
    }
    segments = KeySegments(levels, values, forward, inclusive);
  }
  std::vector<CursorRow> rows;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (skip > 0) {
      // Count whole segments off without reading their rows; in the segment that holds
      // the target, find it by its keys alone, then carry on from it.
      int64_t inSegment = CountCapped(segments[i], extra, skip + 1);
      if (inSegment <= skip) {
        skip -= inSegment;
        continue;
      }
      auto target = Run(segments[i], extra, forward, skip, 1, density, true);
      skip = 0;
      if (target.empty()) continue;
      auto full = ById(target.front().id);
      if (!full) continue;
      rows.push_back(std::move(*full));
      if (static_cast<int64_t>(rows.size()) >= limit) return rows;
      KeyBound from = BoundOf(rows.back());
      auto rest = Walk(forward, &from, false, extra, 0, limit - static_cast<int64_t>(rows.size()));
      for (auto& row : rest) rows.push_back(std::move(row));
      return rows;
    }
    auto found =
        Run(segments[i], extra, forward, 0, limit - static_cast<int64_t>(rows.size()), density);
    for (auto& row : found) rows.push_back(std::move(row));
    if (static_cast<int64_t>(rows.size()) >= limit) return rows;
  }
  return rows;
}

std::optional<CursorRow> KeysetCursor::FirstEqual(const std::vector<SqlValue>& prefix) {
  const SqlFragment* extra = nullptr;
  SqlFragment conditions;
  for (size_t p = 0; p < prefix.size(); ++p) conditions.Append(KeyEquals(KeySql(p), prefix[p]));
  const Density density = DensityOf(extra);
  if (density == Density::None) return std::nullopt;
  auto rows = Run(conditions, extra, true, 0, 1, density);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<CursorRow> KeysetCursor::ById(const std::vector<SqlValue>& id) {
  if (id.size() != 1 + source_.rowCheck.size() || id[0].kind != SqlValue::Kind::Integer) {
    return std::nullopt;
  }
  SqlFragment conditions{" AND rowid = ?", {id[0]}};
  for (size_t i = 0; i < source_.rowCheck.size(); ++i) {
    // Compared as stored, whatever the column's collation: a change of case is a change.
    conditions.Append({" AND " + source_.rowCheck[i] + " COLLATE BINARY IS ?", {id[1 + i]}});
  }
  auto rows = Run(conditions, nullptr, true, 0, 1, Density::Unfiltered);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

// A count still valid is exact. Otherwise up to kExactUpTo rows are counted; a whole table
// with more answers the row count ANALYZE wrote into sqlite_stat1 (the first figure of each
// index's line), no less than what was counted. A condition of the statement's own, or a
// table never analysed, answers the rows counted.
int64_t KeysetCursor::Estimate() {
  constexpr int64_t kExactUpTo = 1000;
  if (count_ && countStamp_ == conn_.DataStamp()) return *count_;
  const int64_t counted = CountCapped({}, nullptr, kExactUpTo, true);
  if (counted < kExactUpTo || !baseWhere_.sql.empty()) return counted;
  // The table's own name, out of its quotes.
  std::string table;
  for (size_t i = 1; i + 1 < from_.size(); ++i) {
    table += from_[i];
    if (from_[i] == '"' && from_[i + 1] == '"') ++i;
  }
  if (from_.size() < 2 || from_.front() != '"') return counted;
  try {
    SqlQuery q(conn_, "SELECT max(CAST(stat AS INTEGER)) FROM sqlite_stat1 WHERE tbl = ?1");
    q.Bind({SqlValue::Text(table)});
    if (q.Step()) return std::max(counted, q.ColumnInt(0));
  } catch (const Error&) {
    // No statistics in this database.
  }
  return counted;
}

int64_t KeysetCursor::Count() {
  uint64_t stamp = conn_.DataStamp();
  if (count_ && countStamp_ == stamp) return *count_;
  if (DensityOf(nullptr) != Density::Dense && !baseWhere_.sql.empty()) {
    count_ = baseDensity_.count;  // fewer than kDenseRows: the capped count was exact
    countStamp_ = stamp;
    return *count_;
  }
  SqlFragment query{"SELECT count(*) FROM " + from_, {}};
  if (!baseWhere_.sql.empty()) {
    query.Append(" WHERE ");
    query.Append(baseWhere_);
  }
  SqlQuery q(conn_, query.sql);
  q.Bind(query.params);
  q.Step();
  count_ = q.ColumnInt(0);
  countStamp_ = stamp;
  return *count_;
}

}  // namespace orvo
