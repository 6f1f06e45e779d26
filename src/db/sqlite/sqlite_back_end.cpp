// SQLite's back end of the dialect translator.
#include "db/sqlite/sqlite_back_end.h"

namespace orvo {

namespace {

class SqliteSpelling : public SqlBackEnd {
 public:
  std::string Placeholder(const SqlValue&, bool) const override { return "?"; }
  std::string Like(const std::string& left, std::optional<ColumnKind>, bool negate,
                   const std::string& pattern) const override {
    return left + (negate ? " NOT LIKE " : " LIKE ") + pattern + " ESCAPE '\\'";
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
