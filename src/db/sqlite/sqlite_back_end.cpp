// SQLite's back end of the dialect translator.
#include "db/sqlite/sqlite_back_end.h"

#include "base/strings.h"

namespace orvo {

namespace {

class SqliteSpelling : public SqlBackEnd {
 public:
  std::string Placeholder(const SqlValue&, bool) const override { return "?"; }
  std::string Like(const std::string& left, std::optional<ColumnKind>, bool negate,
                   const std::string& pattern) const override {
    return left + (negate ? " NOT LIKE " : " LIKE ") + pattern + " ESCAPE '\\'";
  }
  // The connection's LIKE folds accented letters too (sqlite_like.h), so SQLite no longer
  // narrows it to an index range itself. In a caseless column's order (NOCASE folds A to Z
  // only) the prefix's matches lie between its spelling with accented letters in upper case
  // and that with them in lower case, followed by the last code point.
  SqlFragment PrefixRange(const std::string& column, const std::string& prefix) const override {
    return {" AND " + column + " >= ? AND " + column + " < (? || char(1114111))",
            {SqlValue::Text(UCase(prefix)), SqlValue::Text(LCase(prefix))}};
  }
  std::string LikeWord() const override { return "LIKE"; }
  std::string LikePattern(const std::string& placeholder) const override {
    return placeholder + " ESCAPE '\\'";
  }
  std::string Boolean(bool value) const override { return value ? "1" : "0"; }
  std::string Name(const std::string& name, bool bracketed, bool) const override {
    return bracketed ? QuoteIdentifier(name) : name;
  }
};

}  // namespace

const SqlBackEnd& SqliteBackEnd() {
  static const SqliteSpelling spelling;
  return spelling;
}

}  // namespace orvo
