// Conversions between variants, numbers and texts under the pt-BR and en-US presets.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "base/error.h"
#include "base/locale_settings.h"
#include "base/variant.h"

namespace orvo {
namespace {

LocaleSettings Loc(const std::string& name) {
  return LocaleSettings::Named(name);
}

struct TextCase {
  const char* name;
  const char* locale;
  Variant value;
  const char* text;
};

class ToTextTable : public testing::TestWithParam<TextCase> {};

TEST_P(ToTextTable, Writes) {
  const auto& c = GetParam();
  EXPECT_EQ(ToText(c.value, Loc(c.locale)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Base, ToTextTable,
    testing::ValuesIn(std::vector<TextCase>{
        {"CommaDecimalPtBR", "pt-BR", 1234.5, "1234,5"},
        {"PointDecimalEnUS", "en-US", 1234.5, "1234.5"},
        {"ShortestRoundTrip", "en-US", 0.1 + 0.2, "0.30000000000000004"},
        {"NegativeFraction", "pt-BR", -0.25, "-0,25"},
        {"NegativeZeroPlain", "en-US", -0.0, "0"},
        {"SmallStaysPlain", "en-US", 0.0001, "0.0001"},
        {"SmallerTakesExponent", "en-US", 0.00001, "1E-05"},
        {"BelowE15Plain", "en-US", 999999999999999.0, "999999999999999"},
        {"E15TakesExponent", "en-US", 1e15, "1E+15"},
        {"E16ExponentPtBR", "pt-BR", 1.5e16, "1,5E+16"},
        {"HugeExponent", "en-US", 1.7976931348623157e308, "1.7976931348623157E+308"},
        {"NaNNoCrash", "en-US", std::nan(""), "NaN"},
        {"Integer", "pt-BR", int16_t{-32768}, "-32768"},
        {"Long", "pt-BR", int32_t{2147483647}, "2147483647"},
        {"SingleShortestFloat", "pt-BR", 0.1f, "0,1"},
        {"SingleExponentFrom1E7", "en-US", 12345678.0f, "1.2345678E+07"},
        {"BooleanTrue", "pt-BR", true, "True"},
        {"BooleanFalse", "en-US", false, "False"},
        {"EmptyIsEmptyText", "en-US", Variant(), ""},
        {"TextUnchanged", "en-US", "abc", "abc"},
        {"DateOnlyPtBR", "pt-BR", Variant::Date(45651), "25/12/2024"},
        {"DateOnlyEnUS", "en-US", Variant::Date(45651), "12/25/2024"},
        {"DateWithTime", "pt-BR", Variant::Date(45651.5), "25/12/2024 12:00:00"},
        {"PureTime", "en-US", Variant::Date(0.75), "18:00:00"},
        {"SerialZeroIsMidnight", "en-US", Variant::Date(0), "00:00:00"},
        {"NegativeSerialTimeIsPositive", "en-GB", Variant::Date(-1.25), "29/12/1899 06:00:00"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
  const char* name;
  const char* locale;
  const char* text;
  double value;  // NaN: no number (IsNumeric false, CDbl raises 13)
};

class ReadNumberTable : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTable, ReadsOrRejects) {
  const auto& c = GetParam();
  const LocaleSettings loc = Loc(c.locale);
  if (std::isnan(c.value)) {
    EXPECT_FALSE(IsNumeric(Variant(c.text), loc));
    try {
      ToDouble(Variant(c.text), loc);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), err::kTypeMismatch);
    }
  } else {
    EXPECT_TRUE(IsNumeric(Variant(c.text), loc));
    EXPECT_EQ(ToDouble(Variant(c.text), loc), c.value);
  }
}

const double kNo = std::nan("");

INSTANTIATE_TEST_SUITE_P(Base, ReadNumberTable,
                         testing::ValuesIn(std::vector<ReadCase>{
                             {"GroupedPtBR", "pt-BR", "1.234,5", 1234.5},
                             {"GroupedEnUS", "en-US", "1,234.5", 1234.5},
                             {"PointIsGroupInPtBR", "pt-BR", "1.5", 15},
                             {"CommaIsGroupInEnUS", "en-US", "1,5", 15},
                             {"BlanksAndSign", "pt-BR", "  -12,5  ", -12.5},
                             {"PlusSign", "en-US", "+7", 7},
                             {"LeadingDecimal", "pt-BR", ",5", 0.5},
                             {"TrailingDecimal", "en-US", "5.", 5},
                             {"Exponent", "pt-BR", "1,5E3", 1500},
                             {"NegativeExponent", "en-US", "25e-1", 2.5},
                             {"NoBreakSpaceGroup", "pt-BR",
                              "1\xA0"
                              "234,5",
                              1234.5},
                             {"UnderflowIsZero", "en-US", "1e-400", 0},
                             {"ManyDigits", "en-US", "123456789012345678901234567890",
                              1.2345678901234568e29},
                             {"Empty", "pt-BR", "", kNo},
                             {"BlanksOnly", "pt-BR", "   ", kNo},
                             {"SignOnly", "pt-BR", "-", kNo},
                             {"GroupAtStart", "pt-BR", ".5", kNo},
                             {"GroupAtEnd", "pt-BR", "5.", kNo},
                             {"DoubleGroup", "en-US", "1,,234", kNo},
                             {"PointDecimalInPtBRTwice", "pt-BR", "1,2,3", kNo},
                             {"ExponentWithoutDigits", "en-US", "1e", kNo},
                             {"Letters", "en-US", "12a", kNo},
                             {"DateIsNoNumber", "pt-BR", "25/12/2024", kNo},
                             {"InnerBlank", "en-US", "1 2", kNo},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
  const char* name;
  Variant value;
  int target;  // 2 CInt, 3 CLng, 5 CDbl, 8 CStr, 11 CBool, 7 CDate
  int32_t error;
};

class ConversionErrorTable : public testing::TestWithParam<ErrorCase> {};

TEST_P(ConversionErrorTable, Raises) {
  const auto& c = GetParam();
  const LocaleSettings loc = LocaleSettings::EnUS();
  try {
    switch (c.target) {
      case 2:
        ToInteger(c.value, loc);
        break;
      case 3:
        ToLong(c.value, loc);
        break;
      case 5:
        ToDouble(c.value, loc);
        break;
      case 7:
        ToDate(c.value, loc);
        break;
      case 8:
        ToText(c.value, loc);
        break;
      default:
        ToBoolean(c.value, loc);
        break;
    }
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), c.error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Base, ConversionErrorTable,
    testing::ValuesIn(std::vector<ErrorCase>{
        {"IntegerOverflow", 32767.5, 2, err::kOverflow},
        {"IntegerUnderflow", -32769.0, 2, err::kOverflow},
        {"LongOverflow", 2147483648.0, 3, err::kOverflow},
        {"HugeToLong", 1e300, 3, err::kOverflow},
        {"NaNToInteger", std::nan(""), 2, err::kOverflow},
        {"InfinityToLong", std::numeric_limits<double>::infinity(), 3, err::kOverflow},
        {"TextOverflowToDouble", "1e400", 5, err::kOverflow},
        {"TextToInteger", "abc", 2, err::kTypeMismatch},
        {"TextToBoolean", "yes", 11, err::kTypeMismatch},
        {"NullToText", Variant::Null(), 8, 94},
        {"NullToDouble", Variant::Null(), 5, 94},
        {"ObjectToDouble", Variant(std::shared_ptr<Object>()), 5, err::kTypeMismatch},
        {"NoDateText", "31/02/2024", 7, err::kTypeMismatch},
        {"SerialBeyondYear9999", 3e6, 7, err::kOverflow},
    }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundHalfEven, TiesGoToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
}

TEST(ToInteger, RoundsHalfEvenFromText) {
  const LocaleSettings br = LocaleSettings::PtBR();
  EXPECT_EQ(ToInteger(Variant("2,5"), br), 2);
  EXPECT_EQ(ToInteger(Variant(32766.5), br), 32766);
  EXPECT_EQ(ToLong(Variant(true), br), -1);
  EXPECT_EQ(ToLong(Variant(-2147483648.0), br), INT32_MIN);
}

TEST(ToBoolean, TextsAndNumbers) {
  const LocaleSettings us = LocaleSettings::EnUS();
  EXPECT_TRUE(ToBoolean(Variant(" tRUE "), us));
  EXPECT_FALSE(ToBoolean(Variant("False"), us));
  EXPECT_TRUE(ToBoolean(Variant("0.5"), us));
  EXPECT_FALSE(ToBoolean(Variant(), us));
  EXPECT_TRUE(ToBoolean(Variant(int16_t{-1}), us));
}

TEST(IsNumeric, ByType) {
  const LocaleSettings us = LocaleSettings::EnUS();
  EXPECT_TRUE(IsNumeric(Variant(), us));
  EXPECT_TRUE(IsNumeric(Variant(false), us));
  EXPECT_FALSE(IsNumeric(Variant::Null(), us));
  EXPECT_FALSE(IsNumeric(Variant::Date(1), us));
  EXPECT_FALSE(IsNumeric(Variant("1e400"), us));
}

TEST(Variant, IdentityAndTypes) {
  EXPECT_EQ(Variant(int16_t{1}).Type(), VarType::Integer);
  EXPECT_EQ(Variant(1).Type(), VarType::Long);
  EXPECT_EQ(Variant(1.0f).Type(), VarType::Single);
  EXPECT_EQ(Variant::Date(1).Type(), VarType::Date);
  EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).AsString(), "");
  EXPECT_TRUE(Variant(1.0).IsNumber());
  EXPECT_FALSE(Variant::Date(1).IsNumber());
  EXPECT_FALSE(Variant(true).IsNumber());
  EXPECT_FALSE(Variant(1) == Variant(1.0));
  EXPECT_FALSE(Variant(1.0) == Variant::Date(1));
  EXPECT_TRUE(Variant("a") == Variant(std::string("a")));
  EXPECT_TRUE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant());
  auto obj = std::make_shared<Object>();
  EXPECT_TRUE(Variant(obj) == Variant(obj));
  EXPECT_FALSE(Variant(obj) == Variant(std::make_shared<Object>()));
}

TEST(Variant, PrintsForMessages) {
  std::ostringstream os;
  os << Variant(1234.5) << " " << Variant("a") << " " << Variant::Date(1.5) << " " << Variant();
  EXPECT_EQ(os.str(), "Double(1234.5) String(\"a\") Date(1.5) Empty");
}

TEST(LocaleSettings, DefaultIsPtBRWithNames) {
  const LocaleSettings def;
  EXPECT_EQ(def.monthAbbrevs[11], "dez");
  EXPECT_EQ(def.weekdayNames[6],
            "s\xE1"
            "bado");
  EXPECT_EQ(def.decimalSeparator, LocaleSettings::PtBR().decimalSeparator);
}

TEST(LocaleSettings, EmptyDecimalSeparatorFallsBackToPoint) {
  LocaleSettings loc;
  loc.decimalSeparator.clear();
  EXPECT_EQ(ToText(Variant(1234.5), loc), "1234.5");
  EXPECT_EQ(ToDouble(Variant("1234.5"), loc), 1234.5);
}

TEST(LocaleSettings, NamedRejectsUnknown) {
  EXPECT_EQ(LocaleSettings::Named("en-GB").decimalSeparator, ".");
  EXPECT_EQ(LocaleSettings::PtBR().monthNames[2], "mar\xE7o");
  try {
    LocaleSettings::Named("fr-FR");
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kInvalidProcedureCall);
  }
}

}  // namespace
}  // namespace orvo
