// SqlBackEnd: what the dialect's front end (criteria and statements in the control's
// dialect) asks of the SQL it writes for one engine. The front end parses and binds every
// literal; a back end only spells placeholders, LIKE, truth values and names.
#pragma once

#include <optional>
#include <string>

#include "db/dialect/column_kind.h"
#include "db/dialect/sql_value.h"

namespace orvo {

class SqlBackEnd {
 public:
  virtual ~SqlBackEnd() = default;
  // The placeholder of a bound literal; `typedByColumn` when it is compared with a column,
  // whose type then types it. Always holds one "?".
  virtual std::string Placeholder(const SqlValue& value, bool typedByColumn) const = 0;
  // `left [NOT] LIKE pattern` with '\' as the escape character; `pattern` is SQL holding
  // one placeholder; `leftKind` is set when `left` is a column.
  virtual std::string Like(const std::string& left, std::optional<ColumnKind> leftKind, bool negate,
                           const std::string& pattern) const = 0;
  // Terms (" AND ...") that narrow `column LIKE 'prefix...'` to a range an index of a
  // caseless column serves; none where the engine finds that range itself.
  virtual SqlFragment PrefixRange(const std::string&, const std::string&) const { return {}; }
  // In statements, walked token by token:
  virtual std::string LikeWord() const = 0;  // the operator after an operand
  virtual std::string LikePattern(const std::string& placeholder) const = 0;  // with ESCAPE
  virtual std::string Boolean(bool value) const = 0;
  // A name written in a statement, bracketed or bare; `alias` when it follows AS. A bare
  // word that names nothing of the database (a keyword, a function) comes back as it is.
  virtual std::string Name(const std::string& name, bool bracketed, bool alias) const = 0;
};

}  // namespace orvo
