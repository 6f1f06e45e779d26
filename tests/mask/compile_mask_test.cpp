// Mask compilation and date formats of masks, as tables.
#include <gtest/gtest.h>

#include "mask/compiled_mask.h"

namespace orvo {
namespace {

using K = TipoDeCampo;
constexpr int16_t T = -1;
constexpr auto DMY = DateOrder::DayMonthYear;
constexpr auto MDY = DateOrder::MonthDayYear;

struct CompileCase {
  const char* name;
  const char* mask;
  K kind;
  bool list;
  DateOrder order;
  const char* tmpl;
  int16_t upper, lower, letters, decimals, integers, group;
  int32_t maxLength;  // -1: MaxLength left alone
  bool clearMask = false;
};

class CompileMaskTest : public testing::TestWithParam<CompileCase> {};

TEST_P(CompileMaskTest, Compiles) {
  const CompileCase& c = GetParam();
  const MaskCompilation out = CompileMask(c.mask, c.kind, c.list, c.order);
  CompiledMask want{c.tmpl, c.upper, c.lower, c.letters, c.decimals, c.integers, c.group};
  EXPECT_EQ(out.compiled, want) << "template \"" << out.compiled.MaskTemplate << "\"";
  EXPECT_EQ(out.setMaxLength, c.maxLength >= 0);
  if (c.maxLength >= 0) {
    EXPECT_EQ(out.maxLength, c.maxLength);
  }
  EXPECT_EQ(out.clearMask, c.clearMask);
}

// clang-format off
const CompileCase kCompileCases[] = {
    {"UpperFunctionAlone", "@!", K::Character, false, DMY, "", T, 0, 0, 0, 0, 0, -1},
    {"ChainedFunctionsWithSpaces", " @! @a 999", K::Character, false, DMY, "999", T, T, 0, 0, 0, 0, -1},
    {"UnknownFunctionDropped", "@9AA", K::Character, false, DMY, "AA", 0, 0, 0, 0, 0, 0, -1},
    {"UnknownThenKnownFunction", "@x@!AB", K::Character, false, DMY, "AB", T, 0, 0, 0, 0, 0, -1},
    {"RepeatedFunction", "@!@!X", K::Character, false, DMY, "X", T, 0, 0, 0, 0, 0, -1},
    {"LoneAt", "@", K::Character, false, DMY, "", 0, 0, 0, 0, 0, 0, -1},
    {"AllLettersFunction", "@A", K::Character, false, DMY, "", 0, 0, T, 0, 0, 0, -1},
    {"LeadingSpacesKeptWithoutFunction", "  99-99", K::Character, false, DMY, "  99-99", 0, 0, 0, 0, 0, 0, 7},
    {"CharacterTemplateAsWritten", "(99) 9999-9999", K::Character, false, DMY, "(99) 9999-9999", 0, 0, 0, 0, 0, 0, 14},
    {"MemoTemplateAsWritten", "XXX", K::Memo, false, DMY, "XXX", 0, 0, 0, 0, 0, 0, 3},
    {"BooleanTemplateAsWritten", "9.9", K::Boolean, false, DMY, "9.9", 0, 0, 0, 0, 0, 0, 3},
    {"NumericGroupedWithDecimals", "#.##0,00", K::Numeric, false, DMY, "99999999", 0, 0, 0, 2, 4, T, 8},
    {"NumericPlain", "9999", K::Numeric, false, DMY, "9999", 0, 0, 0, 0, 4, 0, 4},
    {"NumericEmpty", "", K::Numeric, false, DMY, "", 0, 0, 0, 0, 0, 0, -1},
    {"SpinnerDecimalsNoGrouping", "999,9", K::Spinner, false, DMY, "99999", 0, 0, 0, 1, 3, 0, 5},
    {"NumericOnlyDecimals", ",00", K::Numeric, false, DMY, "999", 0, 0, 0, 2, 0, 0, 3},
    {"NumericFirstCommaIsTheMark", "9,9,9", K::Numeric, false, DMY, "99999", 0, 0, 0, 3, 1, 0, 5},
    {"NumericAfterFunction", "@! #.##0,00", K::Numeric, false, DMY, "99999999", T, 0, 0, 2, 4, T, -1},
    {"DateMonthName", "dd/mmm/yyyy", K::Date, false, DMY, "99/!aa/9999", 0, 0, 0, 0, 0, 0, 11},
    {"DateLongMonthNameUpperCase", "DD/MMMM/YY", K::Date, false, DMY, "99/!aaa/99", 0, 0, 0, 0, 0, 0, 10},
    {"DateDigitsMonthFirstLocale", "99/99/9999", K::Date, false, MDY, "99/99/9999", 0, 0, 0, 0, 0, 0, 10},
    {"DateEmptyIsShortYear", "", K::Date, false, DMY, "99/99/99", 0, 0, 0, 0, 0, 0, -1},
    {"TimeOfDay", "hh:mm", K::Date, false, DMY, "99:99", 0, 0, 0, 0, 0, 0, 5},
    {"DateWithFunction", "@! 99/99", K::Date, false, DMY, "99/99", T, 0, 0, 0, 0, 0, -1},
    {"ListClearsCharacterMask", "999", K::Character, true, DMY, "", 0, 0, 0, 0, 0, 0, -1, true},
    {"ListClearsDateMask", "99/99/99", K::Date, true, DMY, "", 0, 0, 0, 0, 0, 0, -1, true},
    {"ListClearsNumericMask", "#.##0", K::Numeric, true, DMY, "", 0, 0, 0, 0, 0, 0, -1, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Masks, CompileMaskTest, testing::ValuesIn(kCompileCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct DateFormatCase {
  const char* name;
  const char* mask;
  DateOrder order;
  const char* format;
};

class DateFormatOfTest : public testing::TestWithParam<DateFormatCase> {};

TEST_P(DateFormatOfTest, Formats) {
  const DateFormatCase& c = GetParam();
  EXPECT_EQ(DateFormatOf(c.mask, c.order), c.format);
}

// clang-format off
const DateFormatCase kDateFormatCases[] = {
    {"ShortYearDayFirst", "99/99/99", DMY, "dd/mm/yy"},
    {"ShortYearMonthFirst", "99/99/99", MDY, "mm/dd/yy"},
    {"LongYear", "99/99/9999", DMY, "dd/mm/yyyy"},
    {"TimeWithSeconds", "99:99:99", MDY, "hh:mm:ss"},
    {"TimeWithoutSeconds", "99:99", DMY, "hh:mm"},
    {"EmptyIsShortDate", "", DMY, "dd/mm/yy"},
    {"LettersKept", "dd/mm/yyyy", MDY, "dd/mm/yyyy"},
    {"OrderExhaustedLeavesNines", "99/99/99/99", DMY, "dd/mm/yy/99"},
    {"NoYearFirstOrder", "9999-99-99", DMY, "dddd-mm-yy"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Masks, DateFormatOfTest, testing::ValuesIn(kDateFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo
