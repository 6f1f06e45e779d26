// Values holding quotes, wildcards, brackets and backslashes, found by every path a lookup
// takes on either engine: finds in both directions, Find without NoMatch, Seek, plain and
// TOP n statements. The criteria are written as the control writes them: each quote doubled,
// each typed wildcard as a one-character class.
#include <gtest/gtest.h>

#include "db_test_support.h"

namespace orvo {
namespace {

using dbtest::Engine;
using dbtest::Field;

// No two names are equal without regard to case, and every run of names a case matches sorts
// alike on both engines, so each case can list its rows in name order.
const char* const kGente =
    "CREATE TABLE gente (id INTEGER PRIMARY KEY, nome VARCHAR(40) COLLATE NOCASE NOT NULL);"
    "CREATE INDEX ix_nome ON gente (nome);"
    "INSERT INTO gente VALUES (1, 'O''Neil'), (2, 'O''Brien'), (3, 'ONeil'), (4, 'A''''B'),"
    " (5, 'A''B'), (6, '50%'), (7, '50% off'), (8, '500'), (9, 'a_b'), (10, 'axb'),"
    " (11, 'x*y'), (12, 'xzy'), (13, '[x]'), (14, 'x]'), (15, 'back\\slash'),"
    " (16, 'backslash'), (17, ''' OR 1=1 --'), (18, '#1'), (19, '11'), (20, 'a?c'),"
    " (21, 'abc');";

struct HostileCase {
  const char* name;
  const char* criterion;
  const char* ids;   // the rows it matches, in name order
  const char* seek;  // the typed text a table Seek >= starts from; null when not a prefix
};

class HostileValues : public ::testing::TestWithParam<std::tuple<Engine, HostileCase>> {
 protected:
  void SetUp() override {
    dbtest::RequireEngine(std::get<0>(GetParam()));
    if (!IsSkipped() && !HasFailure()) db = dbtest::MakeDb(std::get<0>(GetParam()), kGente);
  }
  DatabaseRef db;
};

std::string Joined(std::string a, const std::string& b) {
  return a.empty() ? b : a + "|" + b;
}

std::string Reversed(const std::string& ids) {
  std::string out;
  for (size_t end = ids.size(); end > 0;) {
    size_t bar = ids.rfind('|', end - 1);
    size_t start = bar == std::string::npos ? 0 : bar + 1;
    out = Joined(out, ids.substr(start, end - start));
    end = bar == std::string::npos ? 0 : bar;
  }
  return out;
}

std::string FirstOf(const std::string& ids, int count) {
  size_t end = std::string::npos;
  for (size_t from = 0; count-- > 0; from = end + 1) {
    end = ids.find('|', from);
    if (end == std::string::npos) break;
  }
  return ids.substr(0, end);
}

TEST_P(HostileValues, EveryPathFindsExactlyItsRows) {
  const HostileCase& c = std::get<1>(GetParam());
  const std::string criterion = c.criterion;
  auto dynaset = db->OpenDynaset("SELECT * FROM gente ORDER BY nome");
  std::string found;
  for (dynaset->FindFirst(criterion); !dynaset->NoMatch(); dynaset->FindNext(criterion)) {
    found = Joined(found, Field(*dynaset, "id"));
  }
  EXPECT_EQ(found, c.ids) << "FindFirst, FindNext";
  found.clear();
  for (dynaset->FindLast(criterion); !dynaset->NoMatch(); dynaset->FindPrevious(criterion)) {
    found = Joined(found, Field(*dynaset, "id"));
  }
  EXPECT_EQ(found, Reversed(c.ids)) << "FindLast, FindPrevious";

  auto noMatchless = db->OpenNoMatchless("SELECT * FROM gente ORDER BY nome");
  found.clear();
  noMatchless->MoveFirst();
  for (noMatchless->Find(criterion, 0, 1); !noMatchless->EOF_();
       noMatchless->Find(criterion, 1, 1)) {
    found = Joined(found, Field(*noMatchless, "id"));
  }
  EXPECT_EQ(found, c.ids) << "Find";

  const std::string where = " * FROM [gente] WHERE " + criterion + " ORDER BY [Nome]";
  EXPECT_EQ(dbtest::Forward(*db->OpenDynaset("SELECT" + where), "id"), c.ids) << "a plain select";
  EXPECT_EQ(dbtest::Forward(*db->OpenDynaset("SELECT TOP 1" + where), "id"), FirstOf(c.ids, 1))
      << "the one-record query";
  EXPECT_EQ(dbtest::Forward(*db->OpenNoMatchless("SELECT TOP 2" + where), "id"), FirstOf(c.ids, 2))
      << "a statement with its own TOP";

  if (c.seek) {
    auto table = db->OpenTable("gente", "ix_nome");
    table->Seek(">=", {Variant(c.seek)});
    ASSERT_FALSE(table->NoMatch());
    EXPECT_EQ(Field(*table, "id"), FirstOf(c.ids, 1)) << "Seek >=";
  }
  EXPECT_EQ(db->OpenTable("gente")->RecordCount(), 21);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileValues,
    ::testing::Combine(
        dbtest::Engines(),
        ::testing::Values(
            HostileCase{"EqualsAQuote", "[Nome] = 'O''Neil'", "1", nullptr},
            HostileCase{"EqualsTwoQuotesInARow", "[Nome] = 'A''''B'", "4", nullptr},
            HostileCase{"EqualsOneQuote", "[Nome] = 'A''B'", "5", nullptr},
            HostileCase{"EqualsWildcardsAsWritten", "[Nome] = 'x*y'", "11", nullptr},
            HostileCase{"EqualsAnInjection", "[Nome] = ''' OR 1=1 --'", "17", nullptr},
            HostileCase{"PrefixOfAnInjection", "[Nome] LIKE ''' OR 1=1*'", "17", "' OR 1=1"},
            HostileCase{"PrefixEndingInAQuote", "[Nome] LIKE 'O''*'", "2|1", "O'"},
            HostileCase{"PrefixThroughAQuote", "[Nome] LIKE 'O''N%'", "1", "O'N"},
            HostileCase{"PrefixOfTwoQuotes", "[Nome] LIKE 'A''''*'", "4", "A''"},
            HostileCase{"TypedPercent", "[Nome] LIKE '50[%]*'", "6|7", "50%"},
            HostileCase{"TypedPercentOtherFamily", "[Nome] LIKE '50[%]%'", "6|7", "50%"},
            HostileCase{"PercentLeftAsAWildcard", "[Nome] LIKE '50%'", "6|7|8", nullptr},
            HostileCase{"TypedUnderscore", "[Nome] LIKE 'a[_]*'", "9", "a_"},
            HostileCase{"TypedStar", "[Nome] LIKE 'x[*]*'", "11", "x*"},
            HostileCase{"TypedQuestionMark", "[Nome] LIKE 'a[?]%'", "20", "a?"},
            HostileCase{"TypedBracket", "[Nome] LIKE '[[]x*'", "13", "[x"},
            HostileCase{"Backslash", "[Nome] LIKE 'back\\*'", "15", "back\\"},
            HostileCase{"TypedHash", "[Nome] LIKE '[#]*'", "18", "#"},
            // '#' is no digit wildcard: SQL's LIKE has none to give it.
            HostileCase{"HashIsItself", "[Nome] LIKE '#*'", "18", nullptr})),
    dbtest::CaseName<HostileCase>);

}  // namespace
}  // namespace orvo
