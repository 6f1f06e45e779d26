// Recursive-descent translation of criteria: Or > And > Not > comparison > sum > product.
#include "db/dialect/criteria_translator.h"

#include <cmath>
#include <cstdlib>

#include "base/dates.h"
#include "base/error.h"
#include "base/strings.h"
#include "base/variant.h"

namespace orvo {

std::string LikePattern(const std::string& pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '*') {
      out += '%';
    } else if (c == '?') {
      out += '_';
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '[' && i + 2 < pattern.size() && pattern[i + 2] == ']') {
      // [*] [?] [#]: the character itself, not a wildcard
      char literal = pattern[i + 1];
      if (literal == '%' || literal == '_' || literal == '\\') out += '\\';
      out += literal;
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::string LiteralPrefix(const std::string& pattern) {
  std::string prefix;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '*' || c == '?' || c == '%' || c == '_') break;
    if (c == '[') {
      if (i + 2 >= pattern.size() || pattern[i + 2] != ']') break;  // a class of several
      prefix += pattern[i + 1];
      i += 2;
      continue;
    }
    prefix += c;
  }
  return prefix;
}

std::optional<double> ReadDateLiteral(const std::string& text, bool hashDate,
                                      const LocaleSettings& locale) {
  std::string trimmed = Trim(text);
  if (auto iso = IsoTextToSerial(trimmed)) return iso;
  if (hashDate) {
    // #...# dates are month first whatever the locale, as the classic engines read them.
    LocaleSettings monthFirst = locale;
    monthFirst.dateOrder = DateOrder::MonthDayYear;
    return ParseDateText(trimmed, monthFirst);
  }
  return ParseDateText(trimmed, locale);
}

namespace {

struct Operand {
  SqlFragment fragment;
  bool isLiteral = false;
  Variant literal;
  std::optional<ColumnKind> columnKind;  // set when the operand is a bare column
  bool caseless = false;                 // a column that compares without case
};

class CriterionParser {
 public:
  CriterionParser(const std::vector<Token>& tokens, size_t begin, size_t end,
                  const ColumnResolver& resolve, const LocaleSettings& locale,
                  const SqlBackEnd& backEnd, const char* what, const std::string& source)
      : tokens_(tokens),
        pos_(begin),
        end_(end),
        resolve_(resolve),
        locale_(locale),
        backEnd_(backEnd),
        what_(what),
        source_(source) {}

  SqlFragment Run() {
    if (pos_ >= end_) Fail("is empty");
    SqlFragment result = ParseOr();
    if (pos_ < end_) Fail("has unexpected `" + Peek().text + "`");
    return result;
  }

 private:
  const Token& Peek() const {
    static const Token kEnd;
    return pos_ < end_ ? tokens_[pos_] : kEnd;
  }
  bool AcceptWord(const char* word) {
    if (Peek().IsWord(word)) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool AcceptSymbol(const char* symbol) {
    if (Peek().IsSymbol(symbol)) {
      ++pos_;
      return true;
    }
    return false;
  }
  void ExpectSymbol(const char* symbol) {
    if (!AcceptSymbol(symbol)) {
      Fail(std::string("lacks `") + symbol + "`" +
           (pos_ < end_ ? " before `" + Peek().text + "`" : " at the end"));
    }
  }
  [[noreturn]] void Fail(const std::string& fault) const { RaiseSyntax(what_, source_, fault); }

  // Nesting guard: parentheses, Not and unary minus recurse.
  struct Depth {
    explicit Depth(CriterionParser& p) : parser(p) {
      if (++parser.depth_ > 200) parser.Fail("nests too deeply");
    }
    ~Depth() { --parser.depth_; }
    CriterionParser& parser;
  };

  SqlFragment ParseOr() {
    Depth guard(*this);
    SqlFragment left = ParseAnd();
    while (AcceptWord("OR")) {
      SqlFragment right = ParseAnd();
      left.sql = "(" + left.sql;
      left.Append(" OR ");
      left.Append(right);
      left.Append(")");
    }
    return left;
  }

  SqlFragment ParseAnd() {
    SqlFragment left = ParseNot();
    while (AcceptWord("AND")) {
      SqlFragment right = ParseNot();
      left.sql = "(" + left.sql;
      left.Append(" AND ");
      left.Append(right);
      left.Append(")");
    }
    return left;
  }

  SqlFragment ParseNot() {
    Depth guard(*this);
    if (AcceptWord("NOT")) {
      SqlFragment inner = ParseNot();
      inner.sql = "(NOT " + inner.sql + ")";
      return inner;
    }
    return ParseComparison();
  }

  static std::optional<ColumnKind> PartnerKind(const Operand& a) { return a.columnKind; }

  SqlFragment Materialise(const Operand& operand, std::optional<ColumnKind> partner) const {
    if (!operand.isLiteral) return operand.fragment;
    if (operand.literal.IsNull()) return {"NULL", {}};
    ColumnKind kind = partner.value_or(DefaultKind(operand.literal));
    SqlValue value = ToSqlValue(operand.literal, kind, locale_);
    return {backEnd_.Placeholder(value, partner.has_value()), {value}};
  }

  static ColumnKind DefaultKind(const Variant& v) {
    switch (v.Type()) {
      case VarType::String:
        return ColumnKind::Memo;
      case VarType::Date:
        return ColumnKind::Date;
      case VarType::Boolean:
        return ColumnKind::Long;
      default:
        return ColumnKind::Double;
    }
  }

  SqlFragment ParseComparison() {
    if (Peek().IsSymbol("(")) {
      // A parenthesised condition; a parenthesised value is handled by ParsePrimary.
      size_t save = pos_;
      ++pos_;
      size_t depth = 1, scan = pos_;
      bool logical = false;
      for (; scan < end_ && depth > 0; ++scan) {
        if (tokens_[scan].IsSymbol("(")) ++depth;
        if (tokens_[scan].IsSymbol(")")) --depth;
        if (depth >= 1 && (tokens_[scan].IsWord("AND") || tokens_[scan].IsWord("OR") ||
                           tokens_[scan].IsWord("NOT") || tokens_[scan].IsWord("LIKE") ||
                           tokens_[scan].IsWord("IS") || tokens_[scan].IsWord("IN") ||
                           IsComparisonSymbol(tokens_[scan]))) {
          logical = true;
        }
      }
      bool followedByOperator =
          scan < end_ && (IsComparisonSymbol(tokens_[scan]) || tokens_[scan].IsWord("LIKE"));
      if (logical && !followedByOperator) {
        SqlFragment inner = ParseOr();
        ExpectSymbol(")");
        inner.sql = "(" + inner.sql + ")";
        return inner;
      }
      pos_ = save;
    }
    Operand left = ParseSum();
    bool negate = AcceptWord("NOT");
    const Token& op = Peek();
    if (!negate && IsComparisonSymbol(op)) {
      std::string symbol = op.text == "!=" ? "<>" : op.text;
      ++pos_;
      Operand right = ParseSum();
      SqlFragment out = Materialise(left, PartnerKind(right));
      out.Append(" " + symbol + " ");
      out.Append(Materialise(right, PartnerKind(left)));
      return out;
    }
    if (AcceptWord("LIKE")) {
      Operand right = ParseSum();
      SqlFragment subject = Materialise(left, std::nullopt);
      SqlFragment pattern;
      if (right.isLiteral && right.literal.Type() == VarType::String) {
        SqlValue value = SqlValue::Text(LikePattern(right.literal.AsString()));
        pattern = {backEnd_.Placeholder(value, false), {value}};
      } else {
        pattern = Materialise(right, std::nullopt);
      }
      SqlFragment out{backEnd_.Like(subject.sql, left.columnKind, negate, pattern.sql),
                      subject.params};
      out.params.insert(out.params.end(), pattern.params.begin(), pattern.params.end());
      if (!negate && left.caseless && right.isLiteral && right.literal.Type() == VarType::String) {
        std::string prefix = LiteralPrefix(right.literal.AsString());
        SqlFragment range =
            prefix.empty() ? SqlFragment{} : backEnd_.PrefixRange(subject.sql, prefix);
        if (!range.sql.empty()) {
          out.sql = "(" + out.sql;
          out.Append(range);
          out.Append(")");
        }
      }
      return out;
    }
    if (AcceptWord("BETWEEN")) {
      Operand low = ParseSum();
      if (!AcceptWord("AND")) Fail("lacks the AND of a BETWEEN");
      Operand high = ParseSum();
      SqlFragment out = Materialise(left, std::nullopt);
      out.Append(negate ? " NOT BETWEEN " : " BETWEEN ");
      out.Append(Materialise(low, PartnerKind(left)));
      out.Append(" AND ");
      out.Append(Materialise(high, PartnerKind(left)));
      return out;
    }
    if (AcceptWord("IN")) {
      ExpectSymbol("(");
      SqlFragment out = Materialise(left, std::nullopt);
      out.Append(negate ? " NOT IN (" : " IN (");
      do {
        out.Append(Materialise(ParseSum(), PartnerKind(left)));
        if (Peek().IsSymbol(",")) out.Append(", ");
      } while (AcceptSymbol(","));
      ExpectSymbol(")");
      out.Append(")");
      return out;
    }
    if (negate) Fail("has NOT where LIKE, IN or BETWEEN should follow");
    if (AcceptWord("IS")) {
      bool isNot = AcceptWord("NOT");
      if (!AcceptWord("NULL")) Fail("lacks NULL after IS");
      SqlFragment out = Materialise(left, std::nullopt);
      out.Append(isNot ? " IS NOT NULL" : " IS NULL");
      return out;
    }
    if (left.isLiteral || left.columnKind) {
      // A lone value or field is a truth value: [Ativo] or True.
      return Materialise(left, std::nullopt);
    }
    return left.fragment;
  }

  static bool IsComparisonSymbol(const Token& t) {
    return t.kind == TokenKind::Symbol &&
           (t.text == "=" || t.text == "<>" || t.text == "!=" || t.text == "<" || t.text == ">" ||
            t.text == "<=" || t.text == ">=");
  }

  Operand Combine(Operand left, const std::string& symbol, Operand right) {
    Operand out;
    out.fragment = Materialise(left, PartnerKind(right));
    out.fragment.sql = "(" + out.fragment.sql;
    out.fragment.Append(" " + symbol + " ");
    out.fragment.Append(Materialise(right, PartnerKind(left)));
    out.fragment.Append(")");
    return out;
  }

  Operand ParseSum() {
    Operand left = ParseProduct();
    while (Peek().IsSymbol("+") || Peek().IsSymbol("-") || Peek().IsSymbol("&")) {
      std::string symbol = Peek().text == "&" ? "||" : Peek().text;
      ++pos_;
      left = Combine(std::move(left), symbol, ParseProduct());
    }
    return left;
  }

  Operand ParseProduct() {
    Operand left = ParseUnary();
    while (Peek().IsSymbol("*") || Peek().IsSymbol("/")) {
      std::string symbol = Peek().text;
      ++pos_;
      left = Combine(std::move(left), symbol, ParseUnary());
    }
    return left;
  }

  Operand ParseUnary() {
    Depth guard(*this);
    if (AcceptSymbol("-")) {
      Operand inner = ParseUnary();
      if (inner.isLiteral && inner.literal.IsNumber()) {
        inner.literal = inner.literal.Type() == VarType::Long ? Variant(-inner.literal.AsLong())
                                                              : Variant(-inner.literal.AsDouble());
        return inner;
      }
      Operand out;
      out.fragment.sql = "(-";
      out.fragment.Append(Materialise(inner, std::nullopt));
      out.fragment.Append(")");
      return out;
    }
    return ParsePrimary();
  }

  Operand Literal(Variant value) {
    Operand out;
    out.isLiteral = true;
    out.literal = std::move(value);
    return out;
  }

  Operand DateLiteral(const std::string& text, bool hash) {
    auto serial = ReadDateLiteral(text, hash, locale_);
    if (!serial) Fail("has an invalid date `" + text + "`");
    return Literal(Variant::Date(*serial));
  }

  Operand ParsePrimary() {
    const Token& t = Peek();
    switch (t.kind) {
      case TokenKind::End:
        Fail("ends where a value should follow");
      case TokenKind::String:
        ++pos_;
        return Literal(Variant(t.text));
      case TokenKind::Date:
        ++pos_;
        return DateLiteral(t.text, true);
      case TokenKind::Number: {
        ++pos_;
        bool integral = t.text.find_first_of(".eE") == std::string::npos;
        if (integral) {
          long long value = std::strtoll(t.text.c_str(), nullptr, 10);
          if (value >= INT32_MIN && value <= INT32_MAX) {
            return Literal(Variant(static_cast<int32_t>(value)));
          }
        }
        return Literal(Variant(std::strtod(t.text.c_str(), nullptr)));
      }
      case TokenKind::Symbol:
        if (AcceptSymbol("(")) {
          Depth guard(*this);
          Operand inner = ParseSum();
          ExpectSymbol(")");
          return inner;
        }
        Fail("has unexpected `" + t.text + "`");
      case TokenKind::Word:
      case TokenKind::Bracketed:
        break;
    }
    if (t.IsWord("NULL")) {
      ++pos_;
      return Literal(Variant::Null());
    }
    if (t.IsWord("TRUE") || t.IsWord("FALSE")) {
      ++pos_;
      return Literal(Variant(t.IsWord("TRUE")));
    }
    if (t.kind == TokenKind::Word && pos_ + 1 < end_ && tokens_[pos_ + 1].IsSymbol("(")) {
      if (!t.IsWord("CDATE") && !t.IsWord("DATEVALUE")) {
        Fail("uses the unknown function `" + t.text + "`");
      }
      pos_ += 2;
      const Token& argument = Peek();
      if (argument.kind != TokenKind::String && argument.kind != TokenKind::Date) {
        Fail("has CDate without a quoted date");
      }
      ++pos_;
      Operand date = DateLiteral(argument.text, argument.kind == TokenKind::Date);
      ExpectSymbol(")");
      return date;
    }
    static const char* const kReserved[] = {"AND", "OR", "NOT", "LIKE", "IS", "BETWEEN", "IN"};
    for (const char* word : kReserved) {
      if (t.IsWord(word)) Fail("has `" + t.text + "` where a value should be");
    }
    std::string name = t.text;
    ++pos_;
    while (Peek().IsSymbol(".") && pos_ + 1 < end_ &&
           (tokens_[pos_ + 1].kind == TokenKind::Word ||
            tokens_[pos_ + 1].kind == TokenKind::Bracketed)) {
      name += "." + tokens_[pos_ + 1].text;
      pos_ += 2;
    }
    auto column = resolve_(name);
    if (!column) Fail("names the unknown field `" + name + "`");
    Operand out;
    out.fragment.sql = column->sql;
    out.columnKind = column->kind;
    out.caseless = column->caseless;
    return out;
  }

  const std::vector<Token>& tokens_;
  size_t pos_, end_;
  const ColumnResolver& resolve_;
  const LocaleSettings& locale_;
  const SqlBackEnd& backEnd_;
  const char* what_;
  const std::string& source_;
  int depth_ = 0;
};

}  // namespace

SqlFragment TranslateCondition(const std::vector<Token>& tokens, size_t begin, size_t end,
                               const ColumnResolver& resolve, const LocaleSettings& locale,
                               const SqlBackEnd& backEnd, const char* what,
                               const std::string& source) {
  return CriterionParser(tokens, begin, end, resolve, locale, backEnd, what, source).Run();
}

SqlFragment TranslateCriterion(const std::string& criterion, const ColumnResolver& resolve,
                               const LocaleSettings& locale, const SqlBackEnd& backEnd) {
  std::vector<Token> tokens = Tokenize(criterion, "criterion");
  return TranslateCondition(tokens, 0, tokens.size() - 1, resolve, locale, backEnd, "criterion",
                            criterion);
}

}  // namespace orvo
