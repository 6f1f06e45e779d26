// PostgreSQL's back end of the dialect translator.
#include "db/postgres/pg_back_end.h"

#include "base/strings.h"
#include "db/postgres/pg_connection.h"

namespace orvo {

std::string PgBackEnd::Placeholder(const SqlValue& value, bool typedByColumn) const {
  switch (value.kind) {
    case SqlValue::Kind::Real:
      // A fraction never takes an integer column's type: 4.5 compares as a number.
      return "?::float8";
    case SqlValue::Kind::Integer:
      return typedByColumn ? "?" : "?::int8";
    case SqlValue::Kind::Text:
      return typedByColumn ? "?" : "?::text";
    case SqlValue::Kind::Null:
      break;
  }
  return "?";
}

namespace {

// Text folded to lower case, the accented letters of Latin-1 too: ILIKE and lower() under
// the "C" collation fold A to Z only, and a caseless (nondeterministic) collation takes no
// LIKE at all.
std::string Folded(const std::string& text) {
  static const std::string kFrom = [] {
    std::string upper;
    for (int c = 0xC0; c <= 0xDE; ++c)
      if (c != 0xD7) upper += static_cast<char>(c);
    return upper;
  }();
  static const std::string kTo = LCase(kFrom);
  return "lower(translate(" + text + ", '" + kFrom + "', '" + kTo + "'))";
}

}  // namespace

std::string PgBackEnd::Like(const std::string& left, std::optional<ColumnKind>, bool negate,
                            const std::string& pattern) const {
  return Folded("(" + left + ")::text COLLATE \"C\"") + (negate ? " NOT LIKE " : " LIKE ") +
         Folded("(" + pattern + ")::text COLLATE \"C\"") + " ESCAPE '\\'";
}

SqlFragment PgBackEnd::PrefixRange(const std::string& column, const std::string& prefix) const {
  return {" AND " + column + " >= ? AND " + column + " < ?",
          {SqlValue::Text(prefix), ServerText(Latin1ToUtf8(prefix) + "\xEF\xBF\xBF")}};
}

std::string PgBackEnd::LikePattern(const std::string& placeholder) const {
  return "(" + placeholder + " COLLATE \"C\") ESCAPE '\\'";
}

namespace {

// Words of the statement grammar, never taken for a column that happens to share the name.
bool IsReserved(const std::string& word) {
  static const char* const kWords[] = {
      "SELECT", "FROM", "WHERE", "ORDER", "BY",   "GROUP", "HAVING",  "AS",       "AND",
      "OR",     "NOT",  "LIKE",  "IN",    "IS",   "NULL",  "BETWEEN", "DISTINCT", "ASC",
      "DESC",   "JOIN", "ON",    "INNER", "LEFT", "RIGHT", "OUTER",   "UNION",    "ALL",
      "LIMIT",  "CASE", "WHEN",  "THEN",  "ELSE", "END",   "CROSS",   "FULL",     "EXISTS"};
  std::string upper = UCase(word);
  for (const char* reserved : kWords) {
    if (upper == reserved) return true;
  }
  return false;
}

}  // namespace

std::string PgBackEnd::Name(const std::string& name, bool bracketed, bool alias) const {
  if (!bracketed && !alias && IsReserved(name)) return name;
  auto it = names_.find(LCase(name));
  if (it != names_.end()) return QuoteIdentifier(it->second);
  if (bracketed || alias) return QuoteIdentifier(name);
  return name;
}

const PgBackEnd& PgCriteriaBackEnd() {
  static const PgBackEnd backEnd;
  return backEnd;
}

}  // namespace orvo
