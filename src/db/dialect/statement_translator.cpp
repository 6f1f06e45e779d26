// Token-level translation of statements and recognition of plain selects.
#include "db/dialect/statement_translator.h"

#include <cstdlib>

#include "base/strings.h"

namespace orvo {

namespace {

bool IsName(const Token& t) {
  return t.kind == TokenKind::Word || t.kind == TokenKind::Bracketed;
}

bool IsClauseWord(const Token& t) {
  return t.IsWord("FROM") || t.IsWord("WHERE") || t.IsWord("ORDER") || t.IsWord("AS");
}

// [qualifier.]name at tokens[i]; false when there is none.
bool ReadColumnRef(const std::vector<Token>& tokens, size_t& i, PlainColumn& column) {
  if (!IsName(tokens[i]) || IsClauseWord(tokens[i])) return false;
  column.name = tokens[i++].text;
  if (tokens[i].IsSymbol(".")) {
    if (!IsName(tokens[i + 1]) && !tokens[i + 1].IsSymbol("*")) return false;
    column.qualifier = column.name;
    column.name = tokens[i + 1].text;
    i += 2;
  }
  return true;
}

// [AS] alias after a column or the table.
void ReadAlias(const std::vector<Token>& tokens, size_t& i, std::string& alias) {
  bool as = tokens[i].IsWord("AS");
  const Token& t = tokens[as ? i + 1 : i];
  if (IsName(t) && !IsClauseWord(t)) {
    alias = t.text;
    i += as ? 2 : 1;
  }
}

std::optional<PlainSelect> RecognisePlain(const std::vector<Token>& tokens) {
  static const char* const kBreakers[] = {
      "GROUP",  "HAVING",    "UNION",       "JOIN",   "LIMIT",  "DISTINCT", "INTO",
      "EXCEPT", "INTERSECT", "DISTINCTROW", "OFFSET", "WINDOW", "TOP"};
  size_t end = tokens.size() - 1;  // the End token
  if (end > 0 && tokens[end - 1].IsSymbol(";")) --end;
  int depth = 0;
  for (size_t i = 1; i < end; ++i) {
    if (tokens[i].IsSymbol("(")) ++depth;
    if (tokens[i].IsSymbol(")")) --depth;
    if (depth == 0) {
      for (const char* word : kBreakers) {
        if (tokens[i].IsWord(word)) return std::nullopt;
      }
    }
  }
  PlainSelect plain;
  size_t i = 1;
  if (tokens[i].IsSymbol("*")) {
    ++i;
  } else {
    while (true) {
      PlainColumn column;
      if (!ReadColumnRef(tokens, i, column)) return std::nullopt;
      if (column.name == "*") {
        if (!plain.columns.empty() || !tokens[i].IsWord("FROM")) return std::nullopt;
        plain.alias = column.qualifier;  // checked against the table below
        break;
      }
      ReadAlias(tokens, i, column.alias);
      plain.columns.push_back(std::move(column));
      if (!tokens[i].IsSymbol(",")) break;
      ++i;
    }
  }
  if (!tokens[i].IsWord("FROM") || !IsName(tokens[i + 1])) return std::nullopt;
  plain.table = tokens[i + 1].text;
  i += 2;
  std::string starQualifier = plain.alias;
  plain.alias.clear();
  ReadAlias(tokens, i, plain.alias);
  if (!starQualifier.empty() && UCase(starQualifier) != UCase(plain.table) &&
      UCase(starQualifier) != UCase(plain.alias)) {
    return std::nullopt;
  }
  if (i < end && tokens[i].IsWord("WHERE")) {
    plain.whereBegin = ++i;
    depth = 0;
    while (i < end) {
      if (tokens[i].IsSymbol("(")) ++depth;
      if (tokens[i].IsSymbol(")")) --depth;
      if (depth == 0 && tokens[i].IsWord("ORDER")) break;
      ++i;
    }
    plain.whereEnd = i;
    if (plain.whereEnd == plain.whereBegin) return std::nullopt;
  }
  if (i < end && tokens[i].IsWord("ORDER")) {
    if (!tokens[i + 1].IsWord("BY")) return std::nullopt;
    i += 2;
    while (true) {
      PlainColumn item;
      if (!ReadColumnRef(tokens, i, item)) return std::nullopt;
      if (tokens[i].IsWord("DESC")) {
        item.descending = true;
        ++i;
      } else if (tokens[i].IsWord("ASC")) {
        ++i;
      }
      plain.order.push_back(std::move(item));
      if (!tokens[i].IsSymbol(",")) break;
      ++i;
    }
  }
  if (i != end) return std::nullopt;
  return plain;
}

}  // namespace

ParsedStatement ParseStatement(const std::string& source) {
  ParsedStatement parsed;
  parsed.source = source;
  parsed.tokens = Tokenize(source, "statement");
  auto& tokens = parsed.tokens;
  if (!tokens[0].IsWord("SELECT")) {
    RaiseSyntax("statement", source, "is not a SELECT");
  }
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (tokens[i].IsSymbol(";") && tokens[i + 1].kind != TokenKind::End) {
      RaiseSyntax("statement", source, "holds more than one statement");
    }
    if (tokens[i].IsSymbol("?")) RaiseSyntax("statement", source, "has a parameter `?`");
  }
  size_t topAt =
      tokens[1].IsWord("DISTINCT") || tokens[1].IsWord("DISTINCTROW") || tokens[1].IsWord("ALL")
          ? 2
          : 1;
  if (tokens[topAt].IsWord("TOP")) {
    if (tokens[topAt + 1].kind != TokenKind::Number ||
        tokens[topAt + 1].text.find_first_of(".eE") != std::string::npos) {
      RaiseSyntax("statement", source, "has TOP without a whole number of rows");
    }
    if (tokens[topAt + 2].IsWord("PERCENT")) {
      RaiseSyntax("statement", source, "uses TOP ... PERCENT, which is not supported");
    }
    parsed.top = std::strtoll(tokens[topAt + 1].text.c_str(), nullptr, 10);
  } else {
    parsed.plain = RecognisePlain(tokens);
  }
  return parsed;
}

SqlFragment TranslateStatement(const ParsedStatement& statement, const ColumnResolver& resolve,
                               const LocaleSettings& locale, const SqlBackEnd& backEnd) {
  const auto& tokens = statement.tokens;
  SqlFragment out;
  auto add = [&](const std::string& text) {
    if (!out.sql.empty()) out.sql += ' ';
    out.sql += text;
  };
  auto comparedKind = [&](size_t i) -> std::optional<ColumnKind> {
    // `name op literal`: the literal takes the column's kind.
    if (!resolve || i < 2) return std::nullopt;
    const Token& op = tokens[i - 1];
    if (op.kind != TokenKind::Symbol || op.text.find_first_of("=<>") == std::string::npos) {
      return std::nullopt;
    }
    if (!IsName(tokens[i - 2])) return std::nullopt;
    auto column = resolve(tokens[i - 2].text);
    if (!column) return std::nullopt;
    return column->kind;
  };
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (statement.top && t.IsWord("TOP")) {
      ++i;  // the row count follows
      continue;
    }
    switch (t.kind) {
      case TokenKind::Bracketed:
        add(backEnd.Name(t.text, true, i > 0 && tokens[i - 1].IsWord("AS")));
        break;
      case TokenKind::Number:
        add(t.text);
        break;
      case TokenKind::Date: {
        auto serial = ReadDateLiteral(t.text, true, locale);
        if (!serial)
          RaiseSyntax("statement", statement.source, "has an invalid date `" + t.text + "`");
        out.params.push_back(SqlValue::Text(SerialToIsoText(*serial)));
        add(backEnd.Placeholder(out.params.back(), false));
        break;
      }
      case TokenKind::String: {
        if (i > 0 && tokens[i - 1].IsWord("LIKE")) {
          out.params.push_back(SqlValue::Text(LikePattern(t.text)));
          add(backEnd.LikePattern(backEnd.Placeholder(out.params.back(), false)));
          // `name LIKE 'prefix*'` on a caseless column, not negated nor qualified: the range
          // of the prefix too, which binds to the LIKE as AND does.
          const bool plainName =
              i >= 2 && IsName(tokens[i - 2]) &&
              (i < 3 || (!tokens[i - 3].IsWord("NOT") && !tokens[i - 3].IsSymbol(".")));
          std::string prefix = LiteralPrefix(t.text);
          if (resolve && plainName && !prefix.empty()) {
            auto column = resolve(tokens[i - 2].text);
            if (column && column->caseless) {
              const Token& name = tokens[i - 2];
              SqlFragment range = backEnd.PrefixRange(
                  backEnd.Name(name.text, name.kind == TokenKind::Bracketed, false), prefix);
              out.Append(range);
            }
          }
        } else if (auto kind = comparedKind(i)) {
          out.params.push_back(ToSqlValue(Variant(t.text), *kind, locale));
          add(backEnd.Placeholder(out.params.back(), true));
        } else {
          out.params.push_back(SqlValue::Text(t.text));
          add(backEnd.Placeholder(out.params.back(), false));
        }
        break;
      }
      case TokenKind::Symbol:
        if (t.text == ";") break;
        add(t.text == "&" ? "||" : t.text == "!=" ? "<>" : t.text);
        break;
      case TokenKind::Word:
        if ((t.IsWord("CDATE") || t.IsWord("DATEVALUE")) && tokens[i + 1].IsSymbol("(") &&
            (tokens[i + 2].kind == TokenKind::String || tokens[i + 2].kind == TokenKind::Date) &&
            tokens[i + 3].IsSymbol(")")) {
          auto serial =
              ReadDateLiteral(tokens[i + 2].text, tokens[i + 2].kind == TokenKind::Date, locale);
          if (!serial) {
            RaiseSyntax("statement", statement.source,
                        "has an invalid date `" + tokens[i + 2].text + "`");
          }
          out.params.push_back(SqlValue::Text(SerialToIsoText(*serial)));
          add(backEnd.Placeholder(out.params.back(), false));
          i += 3;
        } else if (t.IsWord("TRUE") || t.IsWord("FALSE")) {
          add(backEnd.Boolean(t.IsWord("TRUE")));
        } else if (t.IsWord("DISTINCTROW")) {
          add("DISTINCT");
        } else if (t.IsWord("LIKE")) {
          add(backEnd.LikeWord());
        } else {
          add(backEnd.Name(t.text, false, i > 0 && tokens[i - 1].IsWord("AS")));
        }
        break;
      case TokenKind::End:
        break;
    }
  }
  if (statement.top) out.sql += " LIMIT " + std::to_string(*statement.top);
  return out;
}

}  // namespace orvo
