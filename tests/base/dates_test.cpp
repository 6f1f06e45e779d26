// Serial dates, calendar arithmetic and the reading of date texts under each locale order.
#include "base/dates.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"

namespace orvo {
namespace {

constexpr double kXmas2024 = 45651;  // 25/12/2024
constexpr double k1345 = (13 * 3600 + 45 * 60) / 86400.0;

struct ParseCase {
  const char* name;
  const char* locale;
  const char* text;
  double serial;  // NaN: no date
};

class ParseDateTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDateTable, Reads) {
  const auto& c = GetParam();
  const LocaleSettings loc = LocaleSettings::Named(c.locale);
  SetCurrentYearSource([] { return 2024; });
  const auto got = ParseDateText(c.text, loc);
  const bool isDate = IsDate(Variant(c.text), loc);
  SetCurrentYearSource(nullptr);
  if (std::isnan(c.serial)) {
    EXPECT_FALSE(got.has_value()) << *got;
    EXPECT_FALSE(isDate);
  } else {
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(*got, c.serial, 1e-9);
    EXPECT_TRUE(isDate);
  }
}

const double kNo = std::nan("");

INSTANTIATE_TEST_SUITE_P(Base, ParseDateTable,
                         testing::ValuesIn(std::vector<ParseCase>{
                             {"SlashesDayFirst", "pt-BR", "25/12/2024", kXmas2024},
                             {"DashesTwoDigitYear", "pt-BR", "25-12-24", kXmas2024},
                             {"DotsDayFirst", "en-GB", "25.12.2024", kXmas2024},
                             {"BlanksAround", "pt-BR", "  25/12/2024  ", kXmas2024},
                             {"SingleDigits", "pt-BR", "1/2/2024", 45323},
                             {"MonthFirst", "en-US", "12/25/2024", kXmas2024},
                             {"MonthFirstSwapsImpossibleMonth", "en-US", "25/12/2024", kXmas2024},
                             {"DayFirstSwapsImpossibleMonth", "pt-BR", "12/25/2024", kXmas2024},
                             {"AmbiguousFollowsLocaleDayFirst", "pt-BR", "01/02/2024", 45323},
                             {"AmbiguousFollowsLocaleMonthFirst", "en-US", "02/01/2024", 45323},
                             {"YearFirst", "en-US", "2024-12-25", kXmas2024},
                             {"YearFirstSlashes", "pt-BR", "2024/12/25", kXmas2024},
                             {"WithTime", "pt-BR", "25/12/2024 13:45:00", kXmas2024 + k1345},
                             {"WithShortTime", "en-US", "12/25/2024 13:45", kXmas2024 + k1345},
                             {"TimeBeforeDate", "pt-BR", "13:45 25/12/2024", kXmas2024 + k1345},
                             {"TimeOnly", "pt-BR", "13:45", k1345},
                             {"TimeOnlyWithSeconds", "en-US", "0:00:01", 1 / 86400.0},
                             {"TimePM", "en-US", "1:45 PM", k1345},
                             {"TimeMidnightAM", "en-US", "12:00 am", 0},
                             {"MonthAbbrevPtBR", "pt-BR", "25/dez/2024", kXmas2024},
                             {"MonthNamePtBRLatin1", "pt-BR", "1 MAR\xC7O 2024", 45352},
                             {"MonthFirstWordEnUS", "en-US", "Dec 25, 2024", kXmas2024},
                             {"MonthAndYearOnly", "pt-BR", "dez/2024", 45627},
                             {"NumericMonthAndYear", "pt-BR", "12/2024", 45627},
                             {"WeekdayPrefix", "pt-BR", "qua, 25/12/2024", kXmas2024},
                             {"LongDatePtBR", "pt-BR", "quarta-feira, 25 de dezembro de 2024",
                              kXmas2024},
                             {"LongDateEnUS", "en-US", "Wednesday, December 25, 2024", kXmas2024},
                             {"LongDateEnGB", "en-GB", "25 December 2024", kXmas2024},
                             {"FillerWordAloneIsNoDate", "pt-BR", "de 2024", kNo},
                             {"FillerWordOfOtherLocale", "en-US", "25 de December 2024", kNo},
                             {"LeapDay2024", "pt-BR", "29/02/2024", 45351},
                             {"LeapDay2000", "pt-BR", "29/02/2000", 36585},
                             {"TwoDigitYear29Is2029", "pt-BR", "1/1/29", 47119},
                             {"TwoDigitYear30Is1930", "pt-BR", "1/1/30", 10959},
                             {"FirstValidYear", "pt-BR", "1/1/100", -657434},
                             {"LastValidDay", "pt-BR", "31/12/9999", 2958465},
                             {"NegativeSerialWithTime", "pt-BR", "29/12/1899 06:00", -1.25},
                             {"Feb31IsNoDate", "pt-BR", "31/02/2024", kNo},
                             {"Feb29In2023IsNoDate", "pt-BR", "29/02/2023", kNo},
                             {"Feb29In1900IsNoDate", "en-GB", "29/02/1900", kNo},
                             {"Month13BothWays", "pt-BR", "13/13/2024", kNo},
                             {"Year5Digits", "pt-BR", "1/1/10000", kNo},
                             {"DayAndMonthInCurrentYear", "pt-BR", "25/12", kXmas2024},
                             {"MonthAndDayInCurrentYear", "en-US", "12-25", kXmas2024},
                             {"DayAndMonthNameInCurrentYear", "pt-BR", "25 dez", kXmas2024},
                             {"DecimalLikeTextIsDayAndMonth", "en-US", "1.5", 45296},
                             {"DayAndMonthInvalidBothWays", "pt-BR", "31/02", kNo},
                             {"YearAndMonthBackwards", "pt-BR", "2024/12", kNo},
                             {"CommaNumberIsNoDate", "pt-BR", "1,5", kNo},
                             {"PlainNumberIsNoDate", "pt-BR", "45651", kNo},
                             {"TrailingSeparator", "pt-BR", "25/12/2024/", kNo},
                             {"DoubledSeparator", "pt-BR", "25//12/2024", kNo},
                             {"FourElements", "pt-BR", "1/2/3/4", kNo},
                             {"Hour24", "pt-BR", "24:00", kNo},
                             {"Minute60", "pt-BR", "10:60", kNo},
                             {"TimeGlued", "pt-BR", "25/12/2024-13:45", kNo},
                             {"TwoTimes", "pt-BR", "10:00 11:00", kNo},
                             {"UnknownWord", "en-US", "Foo 25, 2024", kNo},
                             {"ForeignMonthName", "en-US", "25/dez/2024", kNo},
                             {"Empty", "pt-BR", "", kNo},
                             {"OnlyBlanks", "pt-BR", "   ", kNo},
                             {"HugeNumber", "pt-BR", "99999999999/1/1", kNo},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateSerial, KnownSerialsAndRange) {
  EXPECT_EQ(DateSerial(1899, 12, 30), 0);
  EXPECT_EQ(DateSerial(1900, 1, 1), 2);
  EXPECT_EQ(DateSerial(2024, 12, 25), kXmas2024);
  EXPECT_EQ(DateSerial(100, 1, 1), -657434);
  EXPECT_EQ(DateSerial(9999, 12, 31), 2958465);
  for (auto [y, m, d] : {std::tuple{2023, 2, 29}, {2024, 13, 1}, {99, 12, 31}, {2024, 4, 31}}) {
    try {
      DateSerial(y, m, d);
      ADD_FAILURE() << y << "-" << m << "-" << d;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), err::kInvalidProcedureCall);
    }
  }
}

TEST(DateSerial, SplitRoundTripsEveryDayOfALeapYear) {
  for (double s = DateSerial(2024, 1, 1); s <= DateSerial(2024, 12, 31); ++s) {
    const DateParts p = SplitDate(s + 0.5);
    EXPECT_EQ(DateSerial(p.year, p.month, p.day), s);
    EXPECT_EQ(p.hour, 12);
  }
}

TEST(DateSerial, SplitRoundsToTheSecondAndCarries) {
  const DateParts p = SplitDate(kXmas2024 + 0.9999999);
  EXPECT_EQ(p.day, 26);
  EXPECT_EQ(p.hour, 0);
  const DateParts n = SplitDate(std::nan(""));  // no UB: the epoch
  EXPECT_EQ(n.year, 1899);
  // Before the epoch the time counts away from 0: just short of -2 is 1899-12-28 00:00.
  const DateParts b = SplitDate(-1.9999999);
  EXPECT_EQ(b.day, 28);
  EXPECT_EQ(b.hour, 0);
}

TEST(Weekday, SundayIsOne) {
  EXPECT_EQ(Weekday(0), 7);          // 30/12/1899, a Saturday
  EXPECT_EQ(Weekday(kXmas2024), 4);  // a Wednesday
  EXPECT_EQ(Weekday(-1), 6);
  EXPECT_EQ(Weekday(DateSerial(100, 1, 1)), 6);  // proleptic Gregorian Friday
}

TEST(AddMonths, CarriesYearsAndClampsDays) {
  EXPECT_EQ(AddMonths(DateSerial(2024, 12, 1), 1), DateSerial(2025, 1, 1));
  EXPECT_EQ(AddMonths(DateSerial(2024, 1, 1), -1), DateSerial(2023, 12, 1));
  EXPECT_EQ(AddMonths(DateSerial(2024, 1, 31), 1), DateSerial(2024, 2, 29));
  EXPECT_EQ(AddMonths(DateSerial(2024, 3, 1), -25), DateSerial(2022, 2, 1));
  EXPECT_THROW(AddMonths(DateSerial(9999, 12, 1), 1), Error);
  EXPECT_THROW(AddMonths(DateSerial(100, 1, 1), -1), Error);
}

TEST(ToDate, ByType) {
  const LocaleSettings br = LocaleSettings::PtBR();
  EXPECT_EQ(ToDate(Variant(kXmas2024), br), kXmas2024);
  EXPECT_EQ(ToDate(Variant("25/12/2024"), br), kXmas2024);
  EXPECT_EQ(ToDate(Variant(), br), 0);
  EXPECT_FALSE(IsDate(Variant(kXmas2024), br));
  EXPECT_TRUE(IsDate(Variant::Date(kXmas2024), br));
}

}  // namespace
}  // namespace orvo
