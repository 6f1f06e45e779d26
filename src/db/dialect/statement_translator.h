// Statements in the control's dialect (SELECT TOP 1 * FROM [Clientes] WHERE [Nome] LIKE 'A*')
// translated for one engine, and the recognition of plain one-table selects that can be paged by
// key instead of being materialised.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/dialect/criteria_lexer.h"
#include "db/dialect/criteria_translator.h"

namespace orvo {

// A column named in a plain select: [qualifier.]name [[AS] alias].
struct PlainColumn {
  std::string qualifier;  // "" or the table's name or alias
  std::string name;
  std::string alias;        // "" when none
  bool descending = false;  // ORDER BY items only
};

// SELECT * | [t.]col [AS a], ... FROM table [[AS] t] [WHERE ...] [ORDER BY [t.]col [ASC|DESC], ...]
struct PlainSelect {
  std::string table;
  std::string alias;
  std::vector<PlainColumn> columns;     // empty for "*"
  size_t whereBegin = 0, whereEnd = 0;  // token range of the condition; empty when none
  std::vector<PlainColumn> order;
};

struct ParsedStatement {
  std::string source;
  std::vector<Token> tokens;
  std::optional<int64_t> top;        // SELECT TOP n
  std::optional<PlainSelect> plain;  // set for a plain select without TOP
};

// Raises orvo::Error 3141 naming the statement when it does not tokenise or is no SELECT.
ParsedStatement ParseStatement(const std::string& source);

// The whole statement for the back end's engine: names as it spells them, literals bound,
// '*' wildcards after LIKE as '%', CDate('..') and #..# as ISO dates, TOP n as LIMIT n.
// `resolve` (may be empty) types the literal after `name =` so dates compare as stored.
SqlFragment TranslateStatement(const ParsedStatement& statement, const ColumnResolver& resolve,
                               const LocaleSettings& locale, const SqlBackEnd& backEnd);

}  // namespace orvo
