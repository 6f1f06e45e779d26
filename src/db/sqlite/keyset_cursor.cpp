// Keyset walks. A walk from a bound over key columns k1..km is split into segments, nearest
// first: (k1..k(m-1) equal, km after the bound), then (k1..k(m-2) equal, k(m-1) after), ...
// Each segment is one index range, so every probe is a seek whatever the mix of ascending
// and descending columns. NULL sorts below every value, so "after" on a descending walk
// gets a separate trailing segment for NULLs.
#include "db/sqlite/keyset_cursor.h"

namespace orvo {

KeysetCursor::KeysetCursor(SqliteConnection& conn, std::string from, SqlFragment baseWhere,
                           std::vector<std::string> fieldSql)
    : conn_(conn),
      from_(std::move(from)),
      baseWhere_(std::move(baseWhere)),
      fieldSql_(std::move(fieldSql)) {
  SetOrder({});
}

void KeysetCursor::SetOrder(std::vector<KeyColumn> order) {
  order_ = std::move(order);
  selectList_ = "rowid";
  for (size_t i = 0; i < order_.size(); ++i) selectList_ += ", " + KeySql(i);
  for (const auto& field : fieldSql_) selectList_ += ", " + field;
}

std::string KeysetCursor::KeySql(size_t level) const {
  if (level >= order_.size()) return "rowid";
  const KeyColumn& key = order_[level];
  std::string sql = key.name == "rowid" ? "rowid" : QuoteIdentifier(key.name);
  if (!key.collation.empty()) sql += " COLLATE " + key.collation;
  return sql;
}

std::string KeysetCursor::OrderBy(bool forward) const {
  std::string sql = " ORDER BY ";
  for (size_t i = 0; i < order_.size(); ++i) {
    bool ascending = order_[i].descending != forward;
    sql += KeySql(i) + (ascending ? " ASC, " : " DESC, ");
  }
  return sql + (forward ? "rowid ASC" : "rowid DESC");
}

SqlFragment KeysetCursor::EqualTo(size_t level, const SqlValue& value) const {
  if (value.kind == SqlValue::Kind::Null) return {KeySql(level) + " IS NULL", {}};
  return {KeySql(level) + " = ?", {value}};
}

std::vector<CursorRow> KeysetCursor::Run(const SqlFragment& conditions, const SqlFragment* extra,
                                         bool forward, int64_t skip, int64_t limit) {
  SqlFragment query{"SELECT " + selectList_ + " FROM " + from_ + " WHERE 1", {}};
  if (!baseWhere_.sql.empty()) {
    query.Append(" AND (");
    query.Append(baseWhere_);
    query.Append(")");
  }
  if (extra && !extra->sql.empty()) {
    query.Append(" AND (");
    query.Append(*extra);
    query.Append(")");
  }
  query.Append(conditions);
  query.Append(OrderBy(forward) + " LIMIT ? OFFSET ?");
  query.params.push_back(SqlValue::Int(limit));
  query.params.push_back(SqlValue::Int(skip));

  std::vector<CursorRow> rows;
  SqlQuery q(conn_, query.sql);
  q.Bind(query.params);
  const int keyCount = static_cast<int>(order_.size());
  while (q.Step()) {
    CursorRow row;
    row.rowid = q.ColumnInt(0);
    for (int i = 0; i < keyCount; ++i) row.keys.push_back(q.Column(1 + i));
    for (size_t i = 0; i < fieldSql_.size(); ++i) {
      row.values.push_back(q.Column(1 + keyCount + static_cast<int>(i)));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<CursorRow> KeysetCursor::Walk(bool forward, const KeyBound* bound, bool inclusive,
                                          const SqlFragment* extra, int64_t skip, int64_t limit) {
  if (!bound) return Run({}, extra, forward, skip, limit);
  // Levels: the bound's key columns, then the row id when the bound is a row.
  std::vector<SqlValue> values = bound->values;
  if (bound->withRowid) values.push_back(SqlValue::Int(bound->rowid));
  const size_t levels = values.size();
  auto levelOf = [&](size_t j) { return bound->withRowid && j + 1 == levels ? order_.size() : j; };

  std::vector<CursorRow> rows;
  for (size_t jj = levels; jj-- > 0;) {
    SqlFragment prefix;
    for (size_t p = 0; p < jj; ++p) {
      prefix.Append(" AND ");
      prefix.Append(EqualTo(levelOf(p), values[p]));
    }
    const size_t level = levelOf(jj);
    const bool descending = level < order_.size() && order_[level].descending;
    const bool wantGreater = forward != descending;
    const bool strict = !(inclusive && jj + 1 == levels);
    const SqlValue& b = values[jj];
    const bool isNull = b.kind == SqlValue::Kind::Null;
    const std::string key = KeySql(level);
    std::vector<SqlFragment> segments;
    if (wantGreater) {
      if (!isNull)
        segments.push_back({" AND " + key + (strict ? " > ?" : " >= ?"), {b}});
      else if (strict)
        segments.push_back({" AND " + key + " IS NOT NULL", {}});
      else
        segments.push_back({"", {}});
    } else {
      if (!isNull) segments.push_back({" AND " + key + (strict ? " < ?" : " <= ?"), {b}});
      if (!isNull || !strict) segments.push_back({" AND " + key + " IS NULL", {}});
    }
    for (auto& segment : segments) {
      SqlFragment conditions = prefix;
      conditions.Append(segment);
      // Skipped rows are counted off segment by segment.
      std::vector<CursorRow> found =
          Run(conditions, extra, forward, 0, skip + limit - static_cast<int64_t>(rows.size()));
      for (auto& row : found) {
        if (skip > 0) {
          --skip;
          continue;
        }
        rows.push_back(std::move(row));
        if (static_cast<int64_t>(rows.size()) >= limit) return rows;
      }
    }
  }
  return rows;
}

std::optional<CursorRow> KeysetCursor::FirstEqual(const std::vector<SqlValue>& prefix,
                                                  const SqlFragment* extra) {
  SqlFragment conditions;
  for (size_t p = 0; p < prefix.size(); ++p) {
    conditions.Append(" AND ");
    conditions.Append(EqualTo(p, prefix[p]));
  }
  auto rows = Run(conditions, extra, true, 0, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<CursorRow> KeysetCursor::ByRowid(int64_t rowid) {
  auto rows = Run({" AND rowid = ?", {SqlValue::Int(rowid)}}, nullptr, true, 0, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

int64_t KeysetCursor::Count() {
  uint64_t stamp = conn_.DataStamp();
  if (count_ && countStamp_ == stamp) return *count_;
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
