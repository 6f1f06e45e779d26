// The pieces of criteria and filters: bracketed names, filter clauses and values, numbers,
// and how a key part compares with a field.
#include <gtest/gtest.h>

#include "lookup/criteria_text.h"

namespace orvo {
namespace {

struct NameCase {
  const char* name;
  const char* written;
};

class BracketNameRows : public ::testing::TestWithParam<NameCase> {};

TEST_P(BracketNameRows, Writes) {
  EXPECT_EQ(BracketName(GetParam().name), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Names, BracketNameRows,
    ::testing::Values(NameCase{"Codigo", "Codigo"}, NameCase{"Cod Cli", "[Cod Cli]"},
                      NameCase{"Cod-Cli", "[Cod-Cli]"}, NameCase{"a/b", "[a/b]"},
                      NameCase{"a~b", "[a~b]"}, NameCase{"[Cod Cli]", "[Cod Cli]"},
                      NameCase{"[Cod Cli", "[Cod Cli"}, NameCase{"Cod Cli]", "Cod Cli]"},
                      NameCase{"t.Cod Cli", "t.[Cod Cli]"}, NameCase{"my t.Cod", "[my t].Cod"},
                      NameCase{"a.b c.d", "a.[b c.d]"}, NameCase{"", ""}));

struct ClauseCase {
  const char* filter;
  std::vector<std::string> clauses;
};

class FilterClauseRows : public ::testing::TestWithParam<ClauseCase> {};

TEST_P(FilterClauseRows, Split) {
  EXPECT_EQ(SplitFilterClauses(GetParam().filter), GetParam().clauses);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterClauseRows,
    ::testing::Values(
        ClauseCase{"Code = 'A1'", {"Code = 'A1'"}},
        ClauseCase{" [Tipo]='X' and Num = 7 ", {"[Tipo]='X'", "Num = 7"}},
        ClauseCase{"a=1 AnD b=2 AND c=3", {"a=1", "b=2", "c=3"}},
        ClauseCase{"Nome = 'Tom AND Jerry' AND b=2", {"Nome = 'Tom AND Jerry'", "b=2"}},
        ClauseCase{"Nome = 'O''Neil AND x' AND b=2", {"Nome = 'O''Neil AND x'", "b=2"}},
        ClauseCase{"Brand=ANDES", {"Brand=ANDES"}}, ClauseCase{"a=1 AND ", {"a=1", ""}},
        ClauseCase{"", {""}}));

struct ValueCase {
  const char* text;
  const char* value;
};

class FilterValueRows : public ::testing::TestWithParam<ValueCase> {};

TEST_P(FilterValueRows, Reads) {
  EXPECT_EQ(FilterClauseValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, FilterValueRows,
                         ::testing::Values(ValueCase{" 'A1' ", "A1"},
                                           ValueCase{"'O''Neil'", "O'Neil"}, ValueCase{"''''", "'"},
                                           ValueCase{"''", ""}, ValueCase{"7", "7"},
                                           ValueCase{"A'1", "A1"}, ValueCase{"'", ""},
                                           ValueCase{"'a*b%'", "a*b%"}));

struct NumberCase {
  const char* text;
  double number;
};

class LeadingNumberRows : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberRows, Reads) {
  EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Numbers, LeadingNumberRows,
                         ::testing::Values(NumberCase{"7", 7}, NumberCase{" 7abc", 7},
                                           NumberCase{"2.5", 2.5}, NumberCase{"2,5", 2},
                                           NumberCase{"-.5", -0.5}, NumberCase{"1e3x", 1000},
                                           NumberCase{"1e", 1}, NumberCase{"abc", 0},
                                           NumberCase{"", 0}, NumberCase{"-", 0}));

TEST(KeyPartEqual, TextsIgnoreCaseOtherValuesCompareAsNumbers) {
  const LocaleSettings loc = LocaleSettings::PtBR();
  EXPECT_TRUE(KeyPartEqual(Variant("sp"), Variant("SP"), loc));
  EXPECT_TRUE(KeyPartEqual(Variant("\xE7\xE3o"), Variant("\xC7\xC3O"), loc));  // Latin-1
  EXPECT_FALSE(KeyPartEqual(Variant("A1"), Variant("A10"), loc));
  EXPECT_TRUE(KeyPartEqual(Variant(7.0), Variant(int32_t{7}), loc));
  EXPECT_FALSE(KeyPartEqual(Variant(7.0), Variant(7.5), loc));
  EXPECT_TRUE(KeyPartEqual(Variant::Date(45651), Variant::Date(45651), loc));
  EXPECT_FALSE(KeyPartEqual(Variant::Date(45651), Variant::Date(45651.5), loc));
  EXPECT_FALSE(KeyPartEqual(Variant::Null(), Variant::Null(), loc));
  EXPECT_FALSE(KeyPartEqual(Variant(0.0), Variant::Null(), loc));
  EXPECT_TRUE(KeyPartEqual(Variant(7.0), Variant("7"), loc));
  EXPECT_FALSE(KeyPartEqual(Variant(0.0), Variant("abc"), loc));
}

}  // namespace
}  // namespace orvo
