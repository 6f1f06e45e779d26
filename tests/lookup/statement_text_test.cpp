// The literals and the one-record statement the lookup writes: hostile texts stay inside
// their literal, wildcards typed are matched as themselves, numbers ignore the locale.
#include <gtest/gtest.h>

#include "lookup/one_record_query.h"
#include "lookup/recordset.h"
#include "lookup/search_literals.h"

namespace orvo {
namespace {

LocaleSettings PtBr() {
  LocaleSettings loc;
  loc.decimalSeparator = ",";
  loc.groupSeparator = ".";
  loc.dateOrder = DateOrder::DayMonthYear;
  return loc;
}

struct LiteralCase {
  const char* name;
  Variant value;
  int16_t fieldType;
  bool seekFamily;
  bool prefix;
  const char* written;
};

class LiteralRows : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(LiteralRows, Writes) {
  const LiteralCase& c = GetParam();
  const std::string got = c.prefix
                              ? PrefixLiteral(c.value.AsString(), c.fieldType, c.seekFamily, PtBr())
                              : EqualityLiteral(c.value, c.fieldType, c.seekFamily, PtBr());
  EXPECT_EQ(got, c.written);
}

using namespace fieldtype;
INSTANTIATE_TEST_SUITE_P(
    Literals, LiteralRows,
    ::testing::Values(
        LiteralCase{"quote_doubled_once", Variant("O'Neil"), kText, true, false, "'O''Neil'"},
        LiteralCase{"two_quotes_stay_two", Variant("A''B"), kAdVarChar, false, false, "'A''''B'"},
        LiteralCase{"injection_stays_text", Variant("x' OR '1'='1"), kMemo, true, false,
                    "'x'' OR ''1''=''1'"},
        LiteralCase{"number_text_in_comma_locale", Variant("12,5"), kDouble, true, false, "12.5"},
        LiteralCase{"no_number_reads_zero", Variant("1 OR 1=1"), kLong, false, false, "1"},
        LiteralCase{"date_with_nomatch", Variant::Date(45292), kDate, true, false,
                    "CDate('01/01/2024')"},
        LiteralCase{"date_without_nomatch", Variant::Date(45292.5), kAdDBTimeStamp, false, false,
                    "'2024/01/01 12:00:00'"},
        LiteralCase{"prefix_star", Variant("SIL"), kText, true, true, "'SIL*'"},
        LiteralCase{"prefix_percent", Variant("O'N"), kAdChar, false, true, "'O''N%'"},
        LiteralCase{"typed_wildcards_are_literal", Variant("5%_*?#["), kText, true, true,
                    "'5[%][_][*][?][#][[]*'"},
        LiteralCase{"prefix_trailing_blank_kept", Variant("AB "), kText, true, true, "'AB *'"},
        LiteralCase{"prefix_number", Variant("12,5"), kInteger, false, true, "12.5"}),
    [](const auto& info) { return std::string(info.param.name); });

struct QueryCase {
  const char* name;
  const char* source;
  const char* selectFilter;
  bool keepOrdering;
  const char* written;
};

class OneRecordQueryRows : public ::testing::TestWithParam<QueryCase> {};

TEST_P(OneRecordQueryRows, Builds) {
  const QueryCase& c = GetParam();
  EXPECT_EQ(BuildOneRecordQuery(c.source, "[Nome] LIKE 'A*'", c.selectFilter, c.keepOrdering),
            c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, OneRecordQueryRows,
    ::testing::Values(
        QueryCase{"plain", "SELECT * FROM Clientes", "", true,
                  "SELECT TOP 1 * FROM Clientes WHERE [Nome] LIKE 'A*'"},
        QueryCase{"own_where_replaced_ordering_kept",
                  "SELECT Codigo, Nome FROM Clientes WHERE Estado='SP' ORDER BY Nome", "", true,
                  "SELECT TOP 1 Codigo, Nome FROM Clientes WHERE [Nome] LIKE 'A*' ORDER BY Nome"},
        QueryCase{"ordering_dropped_without_keep", "SELECT * FROM Clientes ORDER BY Nome", "",
                  false, "SELECT TOP 1 * FROM Clientes WHERE [Nome] LIKE 'A*'"},
        QueryCase{"top_count_replaced", "SELECT TOP 50 * FROM Clientes", "", true,
                  "SELECT TOP 1 * FROM Clientes WHERE [Nome] LIKE 'A*'"},
        QueryCase{"select_filter_wrapped", "select * from Clientes", "Estado = 'SP'", true,
                  "SELECT TOP 1 * from Clientes WHERE (Estado = 'SP') And ([Nome] LIKE 'A*')"},
        QueryCase{"keywords_in_literals_and_subqueries_ignored",
                  "SELECT * FROM (SELECT * FROM T WHERE a=1) WHERE [x WHERE ]='ORDER BY '", "",
                  true, "SELECT TOP 1 * FROM (SELECT * FROM T WHERE a=1) WHERE [Nome] LIKE 'A*'"},
        QueryCase{"table_by_name", "Clientes", "", true,
                  "SELECT TOP 1 * FROM Clientes WHERE [Nome] LIKE 'A*'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo
