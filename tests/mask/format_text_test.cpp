// FormatText, the "#,##0" grouping of integer texts and the number parsers, as tables.
#include "mask/format_text.h"

#include <gtest/gtest.h>

#include <cfloat>

#include "mask/group_integer.h"

namespace orvo {
namespace {

using K = TipoDeCampo;

struct FormatCase {
  const char* name;
  const char* mask;
  K kind;
  const char* text;
  const char* want;
  bool pointLocale = false;
  const char* stuffChar = "";
  bool list = false;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.name;
}

class FormatTextTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTextTest, Formats) {
  const FormatCase& c = GetParam();
  const CompiledMask compiled =
      CompileMask(c.mask, c.kind, false, DateOrder::DayMonthYear).compiled;
  const FormatContext ctx{compiled,
                          c.mask,
                          c.kind,
                          c.list,
                          c.stuffChar,
                          c.pointLocale ? "." : ",",
                          c.pointLocale ? "," : "."};
  EXPECT_EQ(FormatText(ctx, c.text), c.want);
}

// clang-format off
const FormatCase kFormatCases[] = {
    {"NoMaskUnchanged", "", K::Numeric, "12a", "12a"},
    {"DecimalsFilled", "#.##0,00", K::Numeric, "1234,5", "1.234,50"},
    {"IntegerGetsDecimals", "#.##0,00", K::Numeric, "1234", "1.234,00"},
    {"EmptyNumberShowsDecimals", "#.##0,00", K::Numeric, "", ",00"},
    {"AlreadyFormattedStays", "#.##0,00", K::Numeric, "1.234,50", "1.234,50"},
    {"DecimalsTruncatedNotRounded", "#.##0,00", K::Numeric, "1234,567", "1.234,56"},
    {"IntegerDigitsCut", "#.##0,00", K::Numeric, "12345", "1.234,00"},
    {"NegativeKeepsItsDigits", "#.##0,00", K::Numeric, "-1234,5", "-1.234,50"},
    {"LeadingBlankNumber", "#.##0,00", K::Numeric, " 1234", "1.234,00"},
    {"NoBreakSpaceGrouping", "#.##0,00", K::Numeric, "1\xA0" "234,5", "1.234,50"},
    {"NegativeExponentPositional", "#.##0,00", K::Numeric, "1,5E-05", "0,00"},
    {"NegativeExponentShownDigits", "#.##0,000", K::Numeric, "1,23456E-02", "0,012"},
    {"ExponentWithoutSeparator", "#.##0,00", K::Numeric, "1E-05", "0,00"},
    {"NegativeExponentOfNegative", "#.##0,00", K::Numeric, "-2,5E-01", "-0,25"},
    {"NegativeTinyShowsNoSign", "#.##0,00", K::Numeric, "-1E-09", "0,00"},
    {"HugeNegativeExponent", "#.##0,00", K::Numeric, "1E-99999999999", "0,00"},
    {"PositiveExponentPositional", "#.###.##0,00", K::Numeric, "1,5E+06", "1.500.000,00"},
    {"NoDecimalsDropsFraction", "9999", K::Numeric, "12,7", "12"},
    {"NoGroupingKeepsDigits", "9999,9", K::Spinner, "123,45", "123,4"},
    {"PointLocale", "#.##0,00", K::Numeric, "1234.5", "1,234.50", true},
    {"PointLocaleGroupedInput", "#.##0,00", K::Numeric, "1,234.5", "1,234.50", true},
    {"ListFieldOnlyLiterals", "#.##0,00", K::Numeric, "1234", "1234", false, "", true},
    {"FillCharacter", "999999", K::Character, "123", "000123", false, "0"},
    {"NoFillCharacter", "999999", K::Character, "123", "123"},
    {"FillAroundLiterals", "99.999-999", K::Character, "1234", "00.001-234", false, "0"},
    {"FillKeepsLongText", "@!999999", K::Character, "1234567", "1234567", false, "0"},
    {"FillOnlyForCharacter", "999999", K::Memo, "123", "123", false, "0"},
    {"CodeLiterals", "99.999-999", K::Character, "12345678", "12.345-678"},
    {"CodeAlreadyLaidOut", "99.999-999", K::Character, "12.345-678", "12.345-678"},
    {"PhoneRunOfLiterals", "(99) 9999-9999", K::Character, "1123456789", "(11) 2345-6789"},
    {"DateLiterals", "99/99/9999", K::Date, "25122024", "25/12/2024"},
    {"PunctuationInFreeTextKept", "XXXXXXXXXX", K::Character, "J. Smith", "J. Smith"},
    {"UppercaseTemplateKeepsComma", "!!!!!!!!!!", K::Character, "Rua A, 12", "Rua A, 12"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Texts, FormatTextTest, testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct GroupCase {
  const char* text;
  const char* separator;
  const char* want;
};

class GroupIntegerTextTest : public testing::TestWithParam<GroupCase> {};

TEST_P(GroupIntegerTextTest, ActsAsNumberFormat) {
  EXPECT_EQ(GroupIntegerText(GetParam().text, GetParam().separator), GetParam().want)
      << '"' << GetParam().text << '"';
}

// clang-format off
const GroupCase kGroupCases[] = {
    {"", ".", ""}, {"-", ".", "-"}, {" ", ".", " "}, {"12a", ".", "12a"}, {"1 2", ".", "1 2"},
    {" 1234", ".", "1.234"}, {"1234567", ".", "1.234.567"}, {"123", ".", "123"},
    {"-0012", ".", "-12"}, {"12-", ".", "-12"}, {"+5", ".", "5"}, {"000", ".", "0"},
    {"-0", ".", "0"}, {"1234", ",", "1,234"}, {"- 1234 ", ".", "-1.234"},
    {"12345678901234567890", ".", "12.345.678.901.234.567.890"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Texts, GroupIntegerTextTest, testing::ValuesIn(kGroupCases));

struct ParseCase {
  const char* text;
  bool pointLocale;
  double want;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsLeadingNumber) {
  const ParseCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ParseNumber(c.text, c.pointLocale ? "." : ","), c.want) << '"' << c.text << '"';
}

// clang-format off
const ParseCase kParseCases[] = {
    {"1.234,5", false, 1234.5}, {"1,234.5", true, 1234.5}, {"1.234,5", true, 1.2345},
    {"", false, 0}, {"abc", false, 0}, {".", true, 0}, {"-", false, 0},
    {" - 12", false, -12}, {"1 2 3", false, 123}, {"\t\n5", false, 5}, {"\r5", false, 0},
    {"+7", false, 7}, {",5", false, 0.5}, {"0,001", false, 0.001}, {"12abc", false, 12},
    {"1,5E3", false, 1500}, {"1,5e3", false, 1500}, {"1,5D-2", false, 0.015},
    {"2E 2", false, 200}, {"1E", false, 1}, {"1E+", false, 1}, {"1E-x", false, 1},
    {"1\xA0" "234,5", false, 1234.5}, {"00012", false, 12}, {"1,2,3", false, 1.2},
    {"1E999999999999", false, DBL_MAX}, {"-1E400", false, -DBL_MAX},
    {"1E-999999999999", false, 0}, {"0E999999", false, 0},
    {"123456789012345678901234567890", false, 1.2345678901234568e29},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Numbers, ParseNumberTest, testing::ValuesIn(kParseCases));

TEST(NumericValueTest, EmptyIsIntegerZeroElseDouble) {
  const Variant empty = NumericValue("", ",");
  EXPECT_EQ(empty.Type(), VarType::Integer);
  EXPECT_EQ(empty.AsInteger(), 0);
  const Variant number = NumericValue("1.234,5", ",");
  EXPECT_EQ(number.Type(), VarType::Double);
  EXPECT_DOUBLE_EQ(number.AsDouble(), 1234.5);
  EXPECT_EQ(NumericValue("x", ",").Type(), VarType::Double);
}

}  // namespace
}  // namespace orvo
