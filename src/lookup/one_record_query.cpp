// The one-record statement: the source's head, the new condition, TOP 1 and its ordering.
#include "lookup/one_record_query.h"

#include <cctype>

#include "base/strings.h"

namespace orvo {

namespace {

bool WordAt(const std::string& s, size_t at, const char* word) {
  size_t i = 0;
  for (; word[i]; ++i)
    if (at + i >= s.size() || std::toupper(static_cast<unsigned char>(s[at + i])) != word[i])
      return false;
  // A keyword stands alone: "WHEREAS" or "[x]WHERE" is no clause.
  const bool startsWord = at == 0 || !std::isalnum(static_cast<unsigned char>(s[at - 1]));
  return startsWord;
}

bool StartsWithWord(const std::string& s, const char* word) {
  return WordAt(s, 0, word);
}

}  // namespace

StatementClauses FindClauses(const std::string& s) {
  StatementClauses found;
  int depth = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\'' || c == '"') {
      // A doubled quote inside a literal closes and reopens it: the scan stays inside.
      const size_t close = s.find(c, i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '[') {
      const size_t close = s.find(']', i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth > 0) --depth;
    } else if (depth == 0) {
      if (found.where == std::string::npos && WordAt(s, i, "WHERE ")) found.where = i;
      if (found.orderBy == std::string::npos && WordAt(s, i, "ORDER BY ")) found.orderBy = i;
    }
  }
  return found;
}

std::string BuildOneRecordQuery(const std::string& source, const std::string& criterion,
                                const std::string& selectFilter, bool keepOrdering) {
  const StatementClauses clauses = FindClauses(source);
  const size_t cut = clauses.where != std::string::npos     ? clauses.where
                     : clauses.orderBy != std::string::npos ? clauses.orderBy
                                                            : source.size();
  std::string head = RTrim(source.substr(0, cut));
  const std::string condition =
      selectFilter.empty() ? criterion : "(" + selectFilter + ") And (" + criterion + ")";

  std::string statement;
  const std::string trimmedHead = Trim(head);
  if (StartsWithWord(trimmedHead, "SELECT ")) {
    std::string rest = Trim(trimmedHead.substr(7));
    if (StartsWithWord(rest, "TOP ")) {
      // "TOP 5 * FROM ..." -> "* FROM ...": the count is the first word after TOP.
      rest = LTrim(rest.substr(4));
      const size_t countEnd = rest.find(' ');
      rest = countEnd == std::string::npos ? std::string() : LTrim(rest.substr(countEnd));
    }
    statement = "SELECT TOP 1 " + rest;
  } else {
    // A recordset opened on a table by name: its statement is the table itself. The head
    // alone ("Clientes WHERE ...") is no statement an application could open.
    statement = "SELECT TOP 1 * FROM " + trimmedHead;
  }
  statement += " WHERE " + condition;
  if (keepOrdering && clauses.orderBy != std::string::npos &&
      FindClauses(statement).orderBy == std::string::npos)
    statement += " " + source.substr(clauses.orderBy);
  return statement;
}

}  // namespace orvo
