// Format: number and date pictures, named formats and text values under pt-BR and en-US.
#include "base/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/locale_settings.h"

namespace orvo {
namespace {

constexpr double kXmas1345 = 45651 + (13 * 3600 + 45 * 60) / 86400.0;  // 25/12/2024 13:45:00

struct FormatCase {
  const char* name;
  Variant value;
  const char* picture;
  std::string ptBR;
  std::string enUS;
};

class FormatTable : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, InBothLocales) {
  const auto& c = GetParam();
  EXPECT_EQ(Format(c.value, c.picture, LocaleSettings::PtBR()), c.ptBR) << "pt-BR";
  EXPECT_EQ(Format(c.value, c.picture, LocaleSettings::EnUS()), c.enUS) << "en-US";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatTable,
    testing::ValuesIn(std::vector<FormatCase>{
        {"GroupedRoundsHalfUp", 1234.5, "#,##0", "1.235", "1,235"},
        {"GroupedMillions", int32_t{1234567}, "#,##0", "1.234.567", "1,234,567"},
        {"GroupedNegative", -1234.5, "#,##0", "-1.235", "-1,235"},
        {"GroupedZero", 0.0, "#,##0", "0", "0"},
        {"GroupedThreeDigitsNoSeparator", 999.4, "#,##0", "999", "999"},
        {"GroupedCarryAddsGroup", 999.5, "#,##0", "1.000", "1,000"},
        {"FixedDecimals", 1234.5, "####0.00", "1234,50", "1234.50"},
        {"FixedDecimalsMoreDigitsThanPlaces", 1234567.891, "####0.00", "1234567,89", "1234567.89"},
        {"FixedDecimalsSmall", 0.005, "####0.00", "0,01", "0.01"},
        {"FifteenDigitRounding", 1.005, "####0.00", "1,01", "1.01"},
        {"NegativeRoundsAwayFromZero", -2.345, "####0.00", "-2,35", "-2.35"},
        {"NegativeZeroLosesSign", -0.001, "####0.00", "0,00", "0.00"},
        {"PointOnly", 5.0, "0.", "5,", "5."},
        {"PointOnlyRoundsHalfUp", 2.5, "0.", "3,", "3."},
        {"PointOnlyNegative", -2.5, "0.", "-3,", "-3."},
        {"GroupedDecimals", 1234.5, "#,##0.00", "1.234,50", "1,234.50"},
        {"GroupedDecimalsNegative", -1234567.125, "#,##0.00", "-1.234.567,13", "-1,234,567.13"},
        {"GroupedDecimalsHuge", 1e20, "#,##0.00", "100.000.000.000.000.000.000,00",
         "100,000,000,000,000,000,000.00"},
        {"HashOnlyZeroIsEmpty", 0.0, "#", "", ""},
        {"HashDecimalsDropZeros", 0.5, "#.##", ",5", ".5"},
        {"OptionalDecimals", 1.5, "0.0#", "1,5", "1.5"},
        {"LiteralsKept", 12.0, "$ 0.00 \"un\"", "$ 12,00 un", "$ 12.00 un"},
        {"Escaped", 7.0, "\\#0", "#7", "#7"},
        {"Percent", 0.125, "0.0%", "12,5%", "12.5%"},
        {"ScaledByThousand", 1234567.0, "#,##0,", "1.235", "1,235"},
        {"NegativeSection", -5.0, "0;(0)", "(5)", "(5)"},
        {"ZeroSection", 0.0, "0;(0);\"zero\"", "zero", "zero"},
        {"EmptyNegativeSectionUsesFirst", -5.0, "0;", "-5", "-5"},
        {"DigitsFillFromRight", 12345.0, "00-00", "123-45", "123-45"},
        {"Scientific", 1234.5, "0.00E+00", "1,23E+03", "1.23E+03"},
        {"ScientificNegativeExponent", 0.000123, "0.0E-00", "1,2E-04", "1.2E-04"},
        {"ScientificPlusSignOnlyWithPlus", 1234.5, "0.0E-0", "1,2E3", "1.2E3"},
        {"ScientificCarryShiftsExponent", 9.996, "0.00E+00", "1,00E+01", "1.00E+01"},
        {"ScientificTwoIntegerDigits", 1234.5, "00.0E+0", "12,3E+2", "12.3E+2"},
        {"ScientificZero", 0.0, "0.00E+00", "0,00E+00", "0.00E+00"},
        {"ScientificNegative", -1234.5, "0.00E+00", "-1,23E+03", "-1.23E+03"},
        {"LetterEWithoutSignIsLiteral", 5.0, "0 E", "5 E", "5 E"},
        {"BooleanIsMinusOne", true, "0", "-1", "-1"},
        {"EmptyPictureIsText", 1234.5, "", "1234,5", "1234.5"},
        {"GeneralNumber", 1234.5, "General Number", "1234,5", "1234.5"},
        {"Standard", 1234.5, "Standard", "1.234,50", "1,234.50"},
        {"TextReadUnderPtBR", "1.234,5", "#,##0.00", "1.234,50", "1.234,5"},
        {"TextReadUnderEnUS", "1,234.5", "#,##0.00", "1,234.5", "1,234.50"},
        {"NonNumericTextUnchanged", "abc", "#,##0", "abc", "abc"},
        {"DateTextUnderNumberPictureUnchanged", "25/12/2024", "#,##0", "25/12/2024", "25/12/2024"},
        {"EmptyTextIsEmpty", "", "#,##0", "", ""},
        {"EmptyIsEmpty", Variant(), "#,##0.00", "", ""},
        {"NullIsEmpty", Variant::Null(), "#,##0.00", "", ""},
        {"DateUnderNumberPicture", Variant::Date(45651.5), "0.0", "45651,5", "45651.5"},
        {"NaN", std::nan(""), "#,##0.00", "NaN", "NaN"},
        {"Infinity", -std::numeric_limits<double>::infinity(), "0", "-Inf", "-Inf"},
        {"MaxDouble", std::numeric_limits<double>::max(), "0",
         "179769313486232" + std::string(294, '0'), "179769313486232" + std::string(294, '0')},
        {"TinyDouble", 5e-324, "0.00", "0,00", "0.00"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dates, FormatTable,
    testing::ValuesIn(std::vector<FormatCase>{
        {"DayMonthYear", Variant::Date(kXmas1345), "dd/mm/yyyy", "25/12/2024", "25/12/2024"},
        {"TwoDigitYear", Variant::Date(kXmas1345), "dd/mm/yy", "25/12/24", "25/12/24"},
        {"MonthDayYear", Variant::Date(kXmas1345), "mm/dd/yy", "12/25/24", "12/25/24"},
        {"Time", Variant::Date(kXmas1345), "hh:mm:ss", "13:45:00", "13:45:00"},
        {"ShortTimeMinutesAfterHour", Variant::Date(kXmas1345), "hh:mm", "13:45", "13:45"},
        {"MinutesBeforeSeconds", Variant::Date(kXmas1345 + 7 / 86400.0), "mm:ss", "45:07", "45:07"},
        {"MonthAbbrev", Variant::Date(kXmas1345), "mmm/yyyy", "dez/2024", "Dec/2024"},
        {"MonthName", Variant::Date(45352), "d mmmm yyyy", "1 mar\xE7o 2024", "1 March 2024"},
        {"Weekday", Variant::Date(kXmas1345), "ddd dddd", "qua quarta-feira", "Wed Wednesday"},
        {"IsoStamp", Variant::Date(kXmas1345), "yyyy/mm/dd hh:mm:ss", "2024/12/25 13:45:00",
         "2024/12/25 13:45:00"},
        {"ShortDate", Variant::Date(kXmas1345), "Short Date", "25/12/2024", "12/25/2024"},
        {"ShortDateLowerCase", Variant::Date(kXmas1345), "Short date", "25/12/2024", "12/25/2024"},
        {"LongDate", Variant::Date(45651), "Long Date", "quarta-feira, 25 de dezembro de 2024",
         "Wednesday, December 25, 2024"},
        {"GeneralDate", Variant::Date(kXmas1345), "General Date", "25/12/2024 13:45:00",
         "12/25/2024 13:45:00"},
        {"AmPm", Variant::Date(kXmas1345), "h:nn AM/PM", "1:45 PM", "1:45 PM"},
        {"UnpaddedParts", Variant::Date(45323), "d/m/yy", "1/2/24", "1/2/24"},
        {"UpperCaseTokens", Variant::Date(45323), "DD/MM/YYYY", "01/02/2024", "01/02/2024"},
        {"QuotedLiteral", Variant::Date(45323), "\"day\" d", "day 1", "day 1"},
        {"NumberAsSerial", 45651.0, "dd/mm/yyyy", "25/12/2024", "25/12/2024"},
        {"SerialOutOfRangeShowsNumber", 1e10, "dd/mm/yyyy", "10000000000", "10000000000"},
        {"DateTextPtBR", "25/12/2024 13:45", "yyyy-mm-dd hh:mm", "2024-12-25 13:45",
         "2024-12-25 13:45"},
        {"DateTextFollowsLocaleOrder", "01/02/2024", "dd/mm/yyyy", "01/02/2024", "02/01/2024"},
        {"ImpossibleMonthSwaps", "25/12/98", "Short date", "25/12/1998", "12/25/1998"},
        {"InvalidDateTextUnchanged", "31/02/2024", "dd/mm/yyyy", "31/02/2024", "31/02/2024"},
        {"NumericTextIsSerial", "45651", "dd/mm/yyyy", "25/12/2024", "25/12/2024"},
        {"WordTextUnchanged", "hello", "dd/mm/yyyy", "hello", "hello"},
        {"TimeOnlyText", "13:45", "hh:mm", "13:45", "13:45"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo
