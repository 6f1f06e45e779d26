// PostgreSQL's keyset walks: each segment (db/keyset/key_segments.h) one indexed range.
#include "db/postgres/pg_cursor.h"

#include <algorithm>

#include "base/error.h"
#include "base/strings.h"

namespace orvo {

PgCursor::PgCursor(PgConnectionRef conn, PgRowSource source)
    : conn_(std::move(conn)), source_(std::move(source)) {
  if (!source_.tempTable.empty()) {
    source_.from = QuoteIdentifier(source_.tempTable);
    source_.identity = {"orvo_row"};
    source_.neverNull.insert("ORVO_ROW");
    EnsureRows();
  }
  SetOrder(source_.order);
}

PgCursor::~PgCursor() {
  if (source_.tempTable.empty() || session_ != conn_->Session()) return;
  try {
    conn_->Exec("DROP TABLE IF EXISTS " + QuoteIdentifier(source_.tempTable));
  } catch (const Error&) {
    // A lost session took its temporary tables with it.
  }
}

void PgCursor::EnsureRows() {
  if (source_.tempTable.empty() || session_ == conn_->Session()) return;
  std::string create = "CREATE TEMP TABLE " + QuoteIdentifier(source_.tempTable) +
                       " (orvo_row bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY";
  for (const auto& column : source_.tempColumns) create += ", " + column;
  conn_->Exec(create + ")");
  session_ = conn_->Session();
  Fill();
}

void PgCursor::Refill() {
  // Reading again reads the tables' schemas again too, should another user have altered them.
  conn_->ForgetSchemas();
  Fill();
}

void PgCursor::Fill() {
  count_.reset();
  if (source_.tempTable.empty()) return;
  if (session_ != conn_->Session()) return EnsureRows();
  std::string table = QuoteIdentifier(source_.tempTable);
  conn_->Exec("TRUNCATE " + table + " RESTART IDENTITY");
  std::string columns;
  for (size_t i = 0; i < source_.tempColumns.size(); ++i) {
    columns += (i ? ", c" : "c") + std::to_string(i);
  }
  // Identity values follow the order in which the statement yields its rows.
  conn_->Query("INSERT INTO " + table + " (" + columns + ") " + source_.fill.sql,
               source_.fill.params);
}

// A fraction sought on an integer key compares as a number (4.5 is no integer to bind); the
// server's own text and everything else takes the key's type.
std::string PgCursor::Placeholder(const SqlValue& value) {
  return value.kind == SqlValue::Kind::Real ? "?::float8" : "?";
}

KeyLevel PgCursor::Level(size_t level) const {
  if (level < order_.size()) {
    return {QuoteIdentifier(order_[level].name), order_[level].descending};
  }
  return {QuoteIdentifier(source_.identity[level - order_.size()]), false};
}

void PgCursor::SetOrder(const std::vector<KeyColumn>& order) {
  order_ = order;
  selectList_.clear();
  for (size_t i = 0; i < Levels(); ++i) selectList_ += (i ? ", " : "") + Level(i).sql;
  for (const auto& column : source_.version) selectList_ += ", " + QuoteIdentifier(column);
  for (const auto& field : source_.fieldSql) selectList_ += ", " + field;
}

SqlFragment PgCursor::Filter(const SqlFragment* extra) const {
  return AndConditions(source_.where, extra);
}

std::string PgCursor::OrderBy(bool forward) const {
  // NULL is the smallest key, as on SQLite. A column that holds no NULL is ordered as its
  // index is, so the planner walks the index; a nullable one needs its NULLs placed, which
  // an index built NULLS FIRST serves (or the planner sorts the range).
  std::string sql = " ORDER BY ";
  for (size_t i = 0; i < Levels(); ++i) {
    KeyLevel level = Level(i);
    const bool ascending = level.descending != forward;
    const std::string name =
        i < order_.size() ? order_[i].name : source_.identity[i - order_.size()];
    const bool nullable = !source_.neverNull.count(UCase(name));
    sql += (i ? ", " : "") + level.sql + (ascending ? " ASC" : " DESC");
    if (nullable) sql += ascending ? " NULLS FIRST" : " NULLS LAST";
  }
  return sql;
}

SqlFragment PgCursor::Select(const SqlFragment& conditions, const SqlFragment* extra, bool forward,
                             int64_t limit) const {
  SqlFragment query{"SELECT " + selectList_ + " FROM " + source_.from + " WHERE true", {}};
  query.Append(Filter(extra));
  query.Append(conditions);
  // The row count is written into the statement (a number, never text from outside): a plan
  // made for "LIMIT $n" could not count on few rows and might sort the whole range.
  query.Append(OrderBy(forward) + " LIMIT " + std::to_string(limit));
  return query;
}

std::vector<CursorRow> PgCursor::Read(const SqlFragment& query) {
  PgRows rows = conn_->Query(query);
  const int keyCount = static_cast<int>(order_.size());
  const int idCount = static_cast<int>(IdParts());
  const int fieldCount = static_cast<int>(source_.fieldSql.size());
  std::vector<CursorRow> out;
  for (int r = 0; r < rows.Count(); ++r) {
    CursorRow row;
    for (int i = 0; i < keyCount; ++i) row.keys.push_back(rows.Raw(r, i));
    for (int i = 0; i < idCount; ++i) {
      SqlValue value = rows.Value(r, keyCount + i);
      // Integers come back as numbers (the bookmark); anything else as the server wrote it.
      row.id.push_back(value.kind == SqlValue::Kind::Integer ? value : rows.Raw(r, keyCount + i));
    }
    for (int i = 0; i < fieldCount; ++i) {
      row.values.push_back(rows.Value(r, keyCount + idCount + i));
    }
    out.push_back(std::move(row));
  }
  return out;
}

std::vector<CursorRow> PgCursor::Run(const SqlFragment& conditions, const SqlFragment* extra,
                                     bool forward, int64_t skip, int64_t limit) {
  EnsureRows();
  SqlFragment query = Select(conditions, extra, forward, limit);
  query.Append(" OFFSET ?");
  query.params.push_back(SqlValue::Int(skip));
  return Read(query);
}

int64_t PgCursor::CountCapped(const SqlFragment& conditions, const SqlFragment* extra,
                              int64_t cap) {
  EnsureRows();
  SqlFragment query{"SELECT count(*) FROM (SELECT 1 FROM " + source_.from + " WHERE true", {}};
  query.Append(Filter(extra));
  query.Append(conditions);
  query.Append(" LIMIT ?) s");
  query.params.push_back(SqlValue::Int(cap));
  return conn_->Query(query).Integer(0, 0);
}

std::vector<CursorRow> PgCursor::Walk(bool forward, const KeyBound* bound, bool inclusive,
                                      const SqlFragment* extra, int64_t skip, int64_t limit) {
  if (limit <= 0) return {};
  std::vector<SqlFragment> segments;
  if (!bound) {
    segments.push_back({});
  } else {
    std::vector<SqlValue> values = bound->values;
    if (bound->withId) {
      // The position only: a row version is no level of the order.
      values.insert(values.end(), bound->id.begin(),
                    bound->id.begin() + std::min(bound->id.size(), source_.identity.size()));
    }
    std::vector<KeyLevel> levels;
    for (size_t i = 0; i < values.size(); ++i) {
      levels.push_back(Level(i));
      levels.back().placeholder = Placeholder(values[i]);
    }
    segments = KeySegments(levels, values, forward, inclusive);
  }
  if (skip == 0 && segments.size() > 1) {
    // One round trip for every segment: each is its own ordered, limited index range, and
    // UNION ALL yields them one after the other (the server runs the branches of an Append
    // in turn, and stops once the outer LIMIT is met).
    EnsureRows();
    SqlFragment query{"SELECT * FROM (", {}};
    for (size_t i = 0; i < segments.size(); ++i) {
      query.Append(i ? ") UNION ALL (" : "(");
      query.Append(Select(segments[i], extra, forward, limit));
    }
    query.Append(")) s LIMIT " + std::to_string(limit));
    return Read(query);
  }
  std::vector<CursorRow> rows;
  for (const SqlFragment& segment : segments) {
    if (skip > 0) {
      // Whole segments are counted off without reading their rows.
      int64_t inSegment = CountCapped(segment, extra, skip + 1);
      if (inSegment <= skip) {
        skip -= inSegment;
        continue;
      }
    }
    auto found = Run(segment, extra, forward, skip, limit - static_cast<int64_t>(rows.size()));
    skip = 0;
    for (auto& row : found) rows.push_back(std::move(row));
    if (static_cast<int64_t>(rows.size()) >= limit) break;
  }
  return rows;
}

std::optional<CursorRow> PgCursor::FirstEqual(const std::vector<SqlValue>& prefix) {
  SqlFragment conditions;
  for (size_t p = 0; p < prefix.size(); ++p) {
    conditions.Append(KeyEquals(Level(p).sql, prefix[p], Placeholder(prefix[p])));
  }
  auto rows = Run(conditions, nullptr, true, 0, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

std::optional<CursorRow> PgCursor::ById(const std::vector<SqlValue>& id) {
  if (id.size() != IdParts()) return std::nullopt;
  SqlFragment conditions;
  for (size_t i = 0; i < id.size(); ++i) {
    const std::string& column = i < source_.identity.size()
                                    ? source_.identity[i]
                                    : source_.version[i - source_.identity.size()];
    conditions.Append(KeyEquals(QuoteIdentifier(column), id[i]));
  }
  auto rows = Run(conditions, nullptr, true, 0, 1);
  if (rows.empty()) return std::nullopt;
  return std::move(rows.front());
}

// Up to kExactUpTo rows are counted (a short range of the index); a table with more answers
// the row count its statistics hold (ANALYZE and autovacuum keep it), in the same round trip.
// A statement's own condition has no such figure: its range answers kExactUpTo, and the
// exact count when one was already taken this session.
int64_t PgCursor::Estimate() {
  constexpr int64_t kExactUpTo = 1000;
  EnsureRows();
  SqlFragment query{"SELECT (SELECT count(*) FROM (SELECT 1 FROM " + source_.from + " WHERE true",
                    {}};
  query.Append(Filter(nullptr));
  query.Append(" LIMIT " + std::to_string(kExactUpTo) +
               ") s), (SELECT reltuples::bigint FROM pg_class WHERE oid = to_regclass(?))");
  query.params.push_back(SqlValue::Text(source_.from));
  PgRows rows = conn_->Query(query);
  const int64_t counted = rows.Integer(0, 0);
  if (counted < kExactUpTo) return counted;
  if (count_ && countSession_ == conn_->Session()) return std::max(counted, *count_);
  const int64_t planned = source_.where.sql.empty() && !rows.IsNull(0, 1) ? rows.Integer(0, 1) : 0;
  return std::max(counted, planned);
}

// Counting a large table reads all of it (a tenth of a second at a million rows), and the
// list asks the count each time it opens. The count is kept with the server's snapshot it
// was taken under: a write anywhere commits a new transaction id, which changes the
// snapshot, so an unchanged snapshot means unchanged data and the count still holds. The
// snapshot is read before the count, so a commit in between is counted and still makes the
// next snapshot differ.
int64_t PgCursor::Count() {
  EnsureRows();
  const std::string snapshot = conn_->Query("SELECT pg_current_snapshot()::text").Text(0, 0);
  if (count_ && countSnapshot_ == snapshot && countSession_ == conn_->Session()) return *count_;
  SqlFragment query{"SELECT count(*) FROM " + source_.from + " WHERE true", {}};
  query.Append(Filter(nullptr));
  count_ = conn_->Query(query).Integer(0, 0);
  countSnapshot_ = snapshot;
  countSession_ = conn_->Session();
  return *count_;
}

}  // namespace orvo
