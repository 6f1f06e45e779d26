// Translates a criterion in the control's dialect ([Nome] LIKE 'SIL*' And Num >= 3) into an
// SQLite condition whose every literal is a bound parameter.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "db/sqlite/column_kind.h"
#include "db/sqlite/criteria_lexer.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

// SQL text with "?" placeholders, and their values in the order the placeholders appear.
struct SqlFragment {
  std::string sql;
  std::vector<SqlValue> params;

  void Append(const SqlFragment& other) {
    sql += other.sql;
    params.insert(params.end(), other.params.begin(), other.params.end());
  }
  void Append(const std::string& text) { sql += text; }
};

struct ResolvedColumn {
  std::string sql;  // the column as SQL: "\"nome\"" or "t.\"nome\""
  ColumnKind kind = ColumnKind::Memo;
};

// Maps a field name (without brackets; "a.b" parts joined by ".") to its column, or nullopt
// when the recordset has no such field.
using ColumnResolver = std::function<std::optional<ResolvedColumn>(const std::string& name)>;

// Raises orvo::Error 3075 naming the criterion for anything malformed, and for a name the
// resolver does not know.
SqlFragment TranslateCriterion(const std::string& criterion, const ColumnResolver& resolve,
                               const LocaleSettings& locale);

// The same over tokens [begin, end) of a statement (its WHERE clause); `what` and `source`
// name the statement in messages.
SqlFragment TranslateCondition(const std::vector<Token>& tokens, size_t begin, size_t end,
                               const ColumnResolver& resolve, const LocaleSettings& locale,
                               const char* what, const std::string& source);

// A LIKE pattern with * ? (and % _) as wildcards and [x] for a literal x, as an SQLite
// pattern with '\' as the escape character.
std::string LikePattern(const std::string& pattern);

// Reads the date of a CDate('...') or #...# literal; nullopt when it is no date.
std::optional<double> ReadDateLiteral(const std::string& text, bool hashDate,
                                      const LocaleSettings& locale);

}  // namespace orvo
