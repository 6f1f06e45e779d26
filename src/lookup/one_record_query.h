// The one-record statement the lookup hands to the application to open, when a recordset
// cannot find a record by itself: "SELECT TOP 1 ... WHERE <condition>".
#pragma once

#include <string>

namespace orvo {

// Where the clauses of a statement stand, found outside quotes, brackets and parentheses and
// without regard to case: npos when absent.
struct StatementClauses {
  size_t where = std::string::npos;    // at "WHERE "
  size_t orderBy = std::string::npos;  // at "ORDER BY "
};
StatementClauses FindClauses(const std::string& statement);

// The statement for `source` (the recordset's statement, or its table's name) narrowed to
// `criterion`:
// - the source is cut before its WHERE, or else before its ORDER BY, and " WHERE " and the
//   condition follow: the criterion, or "(" selectFilter ") And (" criterion ")" when a
//   select filter is set;
// - a SELECT gets "TOP 1" (replacing the row count of a TOP it has);
// - with `keepOrdering`, the source's ORDER BY clause is appended, so the one record is the
//   first in the list's own order.
// "SELECT * FROM Clientes WHERE Estado='SP' ORDER BY Nome" with "[Nome] LIKE 'A*'" ->
// "SELECT TOP 1 * FROM Clientes WHERE [Nome] LIKE 'A*' ORDER BY Nome".
std::string BuildOneRecordQuery(const std::string& source, const std::string& criterion,
                                const std::string& selectFilter, bool keepOrdering);

}  // namespace orvo
