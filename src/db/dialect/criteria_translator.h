// Translates a criterion in the control's dialect ([Nome] LIKE 'SIL*' And Num >= 3) into a
// condition for one engine (through its SqlBackEnd) whose every literal is a bound parameter.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/locale_settings.h"
#include "db/dialect/column_kind.h"
#include "db/dialect/criteria_lexer.h"
#include "db/dialect/sql_back_end.h"
#include "db/dialect/sql_value.h"

namespace orvo {

struct ResolvedColumn {
  std::string sql;  // the column as SQL: "\"nome\"" or "t.\"nome\""
  ColumnKind kind = ColumnKind::Memo;
  bool caseless = false;  // compares without regard to case
};

// Maps a field name (without brackets; "a.b" parts joined by ".") to its column, or nullopt
// when the recordset has no such field.
using ColumnResolver = std::function<std::optional<ResolvedColumn>(const std::string& name)>;

// Raises orvo::Error 3075 naming the criterion for anything malformed, and for a name the
// resolver does not know.
SqlFragment TranslateCriterion(const std::string& criterion, const ColumnResolver& resolve,
                               const LocaleSettings& locale, const SqlBackEnd& backEnd);

// The same over tokens [begin, end) of a statement (its WHERE clause); `what` and `source`
// name the statement in messages.
SqlFragment TranslateCondition(const std::vector<Token>& tokens, size_t begin, size_t end,
                               const ColumnResolver& resolve, const LocaleSettings& locale,
                               const SqlBackEnd& backEnd, const char* what,
                               const std::string& source);

// A LIKE pattern with * ? (and % _) as wildcards and [x] for a literal x, as an SQL
// pattern with '\' as the escape character: '50[%]*' -> '50\%%'. Every other character,
// '#' included, matches itself: SQL's LIKE has no digit wildcard to give '#', and the control
// writes a typed '#' as [#] anyway. A '[' that opens no one-character class is itself too.
std::string LikePattern(const std::string& pattern);

// The characters every match of a LIKE pattern begins with, [x] read as x: "50[%]*" -> "50%",
// "SIL*" -> "SIL". A prefix find narrows to the index range of this prefix.
std::string LiteralPrefix(const std::string& pattern);

// Reads the date of a CDate('...') or #...# literal; nullopt when it is no date.
std::optional<double> ReadDateLiteral(const std::string& text, bool hashDate,
                                      const LocaleSettings& locale);

}  // namespace orvo
