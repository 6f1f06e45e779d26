// Criteria and statements in the control's dialect, translated to SQLite with bound values.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/strings.h"
#include "db/dialect/criteria_translator.h"
#include "db/dialect/db_errors.h"
#include "db/dialect/statement_translator.h"
#include "db/postgres/pg_back_end.h"
#include "db/sqlite/sqlite_back_end.h"

namespace orvo {
namespace {

std::string ShowParams(const std::vector<SqlValue>& params) {
  std::string out;
  for (const SqlValue& p : params) {
    if (!out.empty()) out += ",";
    switch (p.kind) {
      case SqlValue::Kind::Null:
        out += "N";
        break;
      case SqlValue::Kind::Integer:
        out += "I:" + std::to_string(p.integer);
        break;
      case SqlValue::Kind::Real:
        out += "R:" + std::to_string(p.real).substr(0, 6);
        break;
      case SqlValue::Kind::Text:
        out += "T:" + p.text;
        break;
    }
  }
  return out;
}

std::optional<ResolvedColumn> Customers(const std::string& name) {
  std::string upper =
      UCase(name.substr(name.rfind('.') == std::string::npos ? 0 : name.rfind('.') + 1));
  if (upper == "NOME") return ResolvedColumn{"\"nome\"", ColumnKind::Text};
  if (upper == "NUM") return ResolvedColumn{"\"num\"", ColumnKind::Long};
  if (upper == "NASC") return ResolvedColumn{"\"nasc\"", ColumnKind::Date};
  if (upper == "ATIVO") return ResolvedColumn{"\"ativo\"", ColumnKind::Boolean};
  if (upper == "COD CLI") return ResolvedColumn{"\"Cod Cli\"", ColumnKind::Text};
  if (upper == "CIDADE") return ResolvedColumn{"\"cidade\"", ColumnKind::Text, true};
  return std::nullopt;
}

struct CriterionCase {
  const char* name;
  const char* criterion;
  const char* sql;
  const char* params;
};

class Criterion : public ::testing::TestWithParam<CriterionCase> {};

TEST_P(Criterion, TranslatesWithBoundValues) {
  SqlFragment out =
      TranslateCriterion(GetParam().criterion, Customers, LocaleSettings::PtBR(), SqliteBackEnd());
  EXPECT_EQ(out.sql, GetParam().sql);
  EXPECT_EQ(ShowParams(out.params), GetParam().params);
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, Criterion,
    ::testing::ValuesIn(std::vector<CriterionCase>{
        {"BracketedEquals", "[Nome] = 'Silva'", "\"nome\" = ?", "T:Silva"},
        {"LikeStar", "Nome LIKE 'SIL*'", "\"nome\" LIKE ? ESCAPE '\\'", "T:SIL%"},
        {"LikePercent", "Nome Like 'SIL%'", "\"nome\" LIKE ? ESCAPE '\\'", "T:SIL%"},
        {"LikeQuestionAndBracketedStar", "Nome LIKE 'a?[*]'", "\"nome\" LIKE ? ESCAPE '\\'",
         "T:a_*"},
        {"LikeBackslashIsLiteral", "Nome LIKE 'a\\b*'", "\"nome\" LIKE ? ESCAPE '\\'", "T:a\\\\b%"},
        {"FourQuotesAreTwo", "[Nome]='O''''Neil'", "\"nome\" = ?", "T:O''Neil"},
        {"TwoQuotesAreOneApostrophe", "[Nome]='O''Neil'", "\"nome\" = ?", "T:O'Neil"},
        {"QuotesAtTheEnd", "[Nome]='abc'''''", "\"nome\" = ?", "T:abc''"},
        {"KeywordRightAfterTheQuote", "[Nome]='a'And Num=1", "(\"nome\" = ? AND \"num\" = ?)",
         "T:a,I:1"},
        {"InjectionStaysLiteral", "[Nome] = 'x'' OR 1=1; DROP TABLE t --'", "\"nome\" = ?",
         "T:x' OR 1=1; DROP TABLE t --"},
        {"CDateUnderTheLocale", "[Nasc] = CDate('25/12/2024')", "\"nasc\" = ?", "T:2024-12-25"},
        {"HashDateIsMonthFirst", "Nasc >= #12/25/2024#", "\"nasc\" >= ?", "T:2024-12-25"},
        {"QuotedDateForDateColumn", "[Nasc]='2024/12/25 13:05:00'", "\"nasc\" = ?",
         "T:2024-12-25 13:05:00"},
        {"NumbersWithPoint", "Num >= 10 And Num < 20.5", "(\"num\" >= ? AND \"num\" < ?)",
         "I:10,R:20.500"},
        {"TextForNumberColumn", "Num = '12'", "\"num\" = ?", "I:12"},
        {"NegativeNumber", "Num > -3", "\"num\" > ?", "I:-3"},
        {"NotAndBoolean", "Not [Ativo] = True", "(NOT \"ativo\" = ?)", "I:1"},
        {"NameWithSpace", "[Cod Cli] = '0012'", "\"Cod Cli\" = ?", "T:0012"},
        {"TableDotName", "clientes.[Nome] <> 'a'", "\"nome\" <> ?", "T:a"},
        {"Grouping", "(Num = 1 Or Num = 2) And Nome Is Not Null",
         "(((\"num\" = ? OR \"num\" = ?)) AND \"nome\" IS NOT NULL)", "I:1,I:2"},
        {"InList", "Num In (1, 2)", "\"num\" IN (?, ?)", "I:1,I:2"},
        {"Between", "Num Not Between 1 And 5", "\"num\" NOT BETWEEN ? AND ?", "I:1,I:5"},
        {"Concatenation", "Nome = 'a' & 'b'", "\"nome\" = (? || ?)", "T:a,T:b"},
        {"LiteralOnTheLeft", "'Silva' = Nome", "? = \"nome\"", "T:Silva"},
        {"IsNull", "Nasc Is Null", "\"nasc\" IS NULL", ""},
    }),
    [](const auto& info) { return std::string(info.param.name); });

struct MalformedCase {
  const char* name;
  const char* criterion;
  const char* message;
};

class MalformedCriterion : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedCriterion, RaisesNamingTheCriterion) {
  try {
    TranslateCriterion(GetParam().criterion, Customers, LocaleSettings::PtBR(), SqliteBackEnd());
    FAIL() << "no error for " << GetParam().criterion;
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), dberr::kSyntaxInCriterion);
    EXPECT_EQ(e.Message(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, MalformedCriterion,
    ::testing::ValuesIn(std::vector<MalformedCase>{
        {"UnterminatedQuote", "Nome LIKE 'a", "criterion `Nome LIKE 'a` has an unterminated quote"},
        {"UndoubledQuoteInsideAValue", "[Nome]='O'Neil'",
         "criterion `[Nome]='O'Neil'` has a quote inside `'O'Neil` that is not doubled (a quote "
         "within a value is written '')"},
        {"UnterminatedBracket", "[Nome = 'a'",
         "criterion `[Nome = 'a'` has an unterminated [name]"},
        {"UnknownField", "Nada = 1", "criterion `Nada = 1` names the unknown field `Nada`"},
        {"MissingValue", "Nome = ", "criterion `Nome = ` ends where a value should follow"},
        {"DanglingAnd", "Nome = 'a' And",
         "criterion `Nome = 'a' And` ends where a value should follow"},
        {"SecondStatement", "Nome = 'a'; DROP TABLE t",
         "criterion `Nome = 'a'; DROP TABLE t` has unexpected `;`"},
        {"InvalidCDate", "Nasc = CDate('31/02/2024')",
         "criterion `Nasc = CDate('31/02/2024')` has an invalid date `31/02/2024`"},
        {"UnknownFunction", "Upper(Nome) = 'A'",
         "criterion `Upper(Nome) = 'A'` uses the unknown function `Upper`"},
        {"TwoValues", "Nome = 'a' 'b'", "criterion `Nome = 'a' 'b'` has unexpected `b`"},
        {"Empty", "", "criterion `` is empty"},
        {"UnclosedParenthesis", "(Num = 1", "criterion `(Num = 1` lacks `)` at the end"},
        {"StrayCharacter", "Num = 1 @", "criterion `Num = 1 @` has an unexpected character `@`"},
        {"BadHashDate", "Nasc = #2024-13-45#",
         "criterion `Nasc = #2024-13-45#` has an invalid date `2024-13-45`"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

struct StatementCase {
  const char* name;
  const char* statement;
  const char* sql;
  const char* params;
  bool plain;
};

class Statement : public ::testing::TestWithParam<StatementCase> {};

TEST_P(Statement, TranslatesAndRecognisesPlainSelects) {
  ParsedStatement parsed = ParseStatement(GetParam().statement);
  SqlFragment out = TranslateStatement(parsed, Customers, LocaleSettings::PtBR(), SqliteBackEnd());
  EXPECT_EQ(out.sql, GetParam().sql);
  EXPECT_EQ(ShowParams(out.params), GetParam().params);
  EXPECT_EQ(parsed.plain.has_value(), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, Statement,
    ::testing::ValuesIn(std::vector<StatementCase>{
        {"TopOneWithLike", "SELECT TOP 1 * FROM [Clientes] WHERE [Nome] LIKE 'A*' ORDER BY Nome",
         "SELECT * FROM \"Clientes\" WHERE \"Nome\" LIKE ? ESCAPE '\\' ORDER BY Nome LIMIT 1",
         "T:A%", false},
        {"PlainOrdered", "SELECT * FROM clientes ORDER BY nome DESC, num",
         "SELECT * FROM clientes ORDER BY nome DESC , num", "", true},
        {"PlainWithWhere", "SELECT nome, num FROM clientes WHERE Nasc = '2024/12/25 00:00:00'",
         "SELECT nome , num FROM clientes WHERE Nasc = ?", "T:2024-12-25", true},
        {"HashDate", "SELECT * FROM t WHERE d = #1/2/2024#", "SELECT * FROM t WHERE d = ?",
         "T:2024-01-02", true},
        {"CDateAndBoolean", "SELECT * FROM t WHERE d > CDate('02/01/2024') AND a = True",
         "SELECT * FROM t WHERE d > ? AND a = 1", "T:2024-01-02", true},
        {"DistinctRowAndTop", "SELECT DISTINCTROW TOP 3 uf FROM clientes",
         "SELECT DISTINCT uf FROM clientes LIMIT 3", "", false},
        {"Grouped", "SELECT uf, count(*) FROM clientes GROUP BY uf",
         "SELECT uf , count ( * ) FROM clientes GROUP BY uf", "", false},
        {"AliasesAndQualifiedNames",
         "SELECT c.nome AS n, c.[num] FROM clientes AS c WHERE c.num > 3 ORDER BY c.nome DESC",
         "SELECT c . nome AS n , c . \"num\" FROM clientes AS c WHERE c . num > 3 ORDER BY c . "
         "nome DESC",
         "", true},
        {"QualifiedStarAndBareAlias", "SELECT c.* FROM clientes c", "SELECT c . * FROM clientes c",
         "", true},
        {"StarOfAnotherTable", "SELECT x.* FROM clientes c", "SELECT x . * FROM clientes c", "",
         false},
        {"Join", "SELECT * FROM a, b WHERE a.x = b.x", "SELECT * FROM a , b WHERE a . x = b . x",
         "", false},
        {"InjectionStaysLiteral", "SELECT * FROM t WHERE n = 'a''; DROP TABLE t; --'",
         "SELECT * FROM t WHERE n = ?", "T:a'; DROP TABLE t; --", true},
    }),
    [](const auto& info) { return std::string(info.param.name); });

// PostgreSQL's spelling of the same front end: literals without a column cast to their own
// type, fractions as float8, a criterion's LIKE between both sides folded to lower case
// (Latin-1's accented letters too) under "C", a statement's LIKE as ILIKE under "C", names as
// the catalogue spells them.
struct SpellingCase {
  const char* name;
  const char* text;
  bool statement;
  const char* sql;
  const char* params;
};

class PostgresSpelling : public ::testing::TestWithParam<SpellingCase> {};

#define PG_FOLDED(x)                                                                            \
  "lower(translate(" x ", '\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1" \
  "\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE', '\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA" \
  "\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE'))"
#define PG_LIKE(column)                                                                         \
  PG_FOLDED("(\"" column "\")::text COLLATE \"C\"")                                            \
  " LIKE " PG_FOLDED("(?::text)::text COLLATE \"C\"") " ESCAPE '\\'"

TEST_P(PostgresSpelling, WritesTheServersSql) {
  PgBackEnd backEnd({{"clientes", "Clientes"}, {"nome", "Nome"}, {"n", "n"}});
  const SpellingCase& c = GetParam();
  SqlFragment out =
      c.statement
          ? TranslateStatement(ParseStatement(c.text), Customers, LocaleSettings::PtBR(), backEnd)
          : TranslateCriterion(c.text, Customers, LocaleSettings::PtBR(), backEnd);
  EXPECT_EQ(out.sql, c.sql);
  EXPECT_EQ(ShowParams(out.params), c.params);
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, PostgresSpelling,
    ::testing::ValuesIn(std::vector<SpellingCase>{
        {"LikeFoldsTheCaseOfAccentedLettersToo", "Nome LIKE 'SIL*'", false, PG_LIKE("nome"),
         "T:SIL%"},
        {"FractionAgainstAnIntegerColumn", "Num >= 4.5", false, "\"num\" >= ?::float8", "R:4.5000"},
        {"ColumnTypesTheLiteral", "Num = '12' And Not [Ativo] = True", false,
         "(\"num\" = ? AND (NOT \"ativo\" = ?))", "I:12,I:1"},
        {"LiteralsWithoutAColumn", "Nome = 'a' & 'b'", false, "\"nome\" = (?::text || ?::text)",
         "T:a,T:b"},
        {"StatementNamesAndTop",
         "SELECT TOP 1 * FROM clientes WHERE nome LIKE 'A*' ORDER BY [NOME]", true,
         "SELECT * FROM \"Clientes\" WHERE \"Nome\" ILIKE (?::text COLLATE \"C\") ESCAPE '\\' "
         "ORDER BY \"Nome\" LIMIT 1",
         "T:A%"},
        {"CaselessPrefixGetsItsIndexRange", "Cidade LIKE 'SAO*' Or Nome LIKE 'SAO*'", false,
         "((" PG_LIKE("cidade") " AND \"cidade\" >= ? AND \"cidade\" < ?) OR " PG_LIKE("nome") ")",
         "T:SAO%,T:SAO,T:SAO\xEF\xBF\xBF,T:SAO%"},
        {"StatementCaselessPrefix",
         "SELECT TOP 1 * FROM t WHERE (uf = 'SP') And (cidade LIKE 'SAO*')", true,
         "SELECT * FROM t WHERE ( uf = ?::text ) And ( cidade ILIKE (?::text COLLATE \"C\") ESCAPE "
         "'\\' AND cidade >= ? AND cidade < ? ) LIMIT 1",
         "T:SP,T:SAO%,T:SAO,T:SAO\xEF\xBF\xBF"},
        {"EscapedWildcardsArePartOfThePrefix", "Cidade LIKE '50[%][_][[]*'", false,
         "(" PG_LIKE("cidade") " AND \"cidade\" >= ? AND \"cidade\" < ?)",
         "T:50\\%\\_[%,T:50%_[,T:50%_[\xEF\xBF\xBF"},
        {"StatementQuotedPrefix", "SELECT TOP 1 * FROM t WHERE cidade LIKE 'O''N[*]#*'", true,
         "SELECT * FROM t WHERE cidade ILIKE (?::text COLLATE \"C\") ESCAPE '\\' AND cidade >= ? "
         "AND cidade < ? LIMIT 1",
         "T:O'N*#%,T:O'N*#,T:O'N*#\xEF\xBF\xBF"},
        {"StatementTruthAndAliases", "SELECT count(*) AS N FROM t WHERE a = True ORDER BY N", true,
         "SELECT count ( * ) AS \"n\" FROM t WHERE a = TRUE ORDER BY \"n\"", ""},
    }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MalformedCriterionDepth, DeepNestingIsRefusedNotRecursedInto) {
  std::string deep = std::string(300, '(') + "Num = 1" + std::string(300, ')');
  try {
    TranslateCriterion(deep, Customers, LocaleSettings::PtBR(), SqliteBackEnd());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "criterion `" + deep + "` nests too deeply");
  }
  std::string fine = std::string(50, '(') + "Num = 1" + std::string(50, ')');
  EXPECT_EQ(
      TranslateCriterion(fine, Customers, LocaleSettings::PtBR(), SqliteBackEnd()).params.size(),
      1u);
}

TEST(MalformedStatement, RaisesNamingTheStatement) {
  struct Case {
    const char* statement;
    const char* message;
  };
  for (const Case& c :
       {Case{"DELETE FROM t", "statement `DELETE FROM t` is not a SELECT"},
        Case{"SELECT * FROM t; DROP TABLE t",
             "statement `SELECT * FROM t; DROP TABLE t` holds more than one statement"},
        Case{"SELECT TOP x * FROM t",
             "statement `SELECT TOP x * FROM t` has TOP without a whole number of rows"},
        Case{"SELECT * FROM t WHERE n = 'a",
             "statement `SELECT * FROM t WHERE n = 'a` has an unterminated quote"}}) {
    try {
      ParseStatement(c.statement);
      ADD_FAILURE() << "no error for " << c.statement;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), dberr::kSyntaxInStatement);
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

}  // namespace
}  // namespace orvo
