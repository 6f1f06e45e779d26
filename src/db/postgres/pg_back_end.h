// PostgreSQL's spelling of the dialect. Placeholders are typed by the column they meet; a
// literal without one is cast to its own type. LIKE is ILIKE under the "C" collation: it
// folds ASCII letters only, as SQLite's LIKE does, and it also serves columns whose
// collation is not deterministic (which the server refuses to LIKE). Names in statements
// are matched to the catalogue without regard to case and quoted as it spells them. A
// caseless column's LIKE 'prefix*' also gets the range [prefix, prefix U+FFFF): every value
// that starts with the prefix in any case lies in it (U+FFFF sorts above all characters in
// the ICU collations), so its index serves the find.
#pragma once

#include <map>
#include <string>

#include "db/dialect/sql_back_end.h"

namespace orvo {

class PgBackEnd : public SqlBackEnd {
 public:
  PgBackEnd() = default;
  // `names`: lower-cased -> as the catalogue spells them (tables, columns, aliases).
  explicit PgBackEnd(std::map<std::string, std::string> names) : names_(std::move(names)) {}

  std::string Placeholder(const SqlValue& value, bool typedByColumn) const override;
  std::string Like(const std::string& left, std::optional<ColumnKind> leftKind, bool negate,
                   const std::string& pattern) const override;
  SqlFragment PrefixRange(const std::string& column, const std::string& prefix) const override;
  std::string LikeWord() const override { return "ILIKE"; }
  std::string LikePattern(const std::string& placeholder) const override;
  std::string Boolean(bool value) const override { return value ? "TRUE" : "FALSE"; }
  std::string Name(const std::string& name, bool bracketed, bool alias) const override;

 private:
  std::map<std::string, std::string> names_;
};

// The back end for criteria, whose names the recordset resolves.
const PgBackEnd& PgCriteriaBackEnd();

}  // namespace orvo
