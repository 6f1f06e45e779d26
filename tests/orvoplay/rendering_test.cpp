// Renderings of variants and the reading of value tokens, which must agree with each other.
#include "rendering.h"

#include <gtest/gtest.h>

#include <ostream>

#include "script_lexer.h"
#include "script_values.h"

namespace orvo::play {
namespace {

struct RenderCase {
  const char* name;
  Variant value;
  std::string rendering;
};

void PrintTo(const RenderCase& c, std::ostream* os) {
  *os << c.name;
}

class RenderTest : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderTest, Renders) {
  EXPECT_EQ(Render(GetParam().value), GetParam().rendering);
}

const RenderCase kRenderCases[] = {
    {"Empty", Variant(), "Empty"},
    {"Null", Variant::Null(), "Null"},
    {"IntegerZero", Variant(int16_t{0}), "Integer 0"},
    {"IntegerNegative", Variant(int16_t{-32768}), "Integer -32768"},
    {"Long", Variant(int32_t{5}), "Long 5"},
    {"LongColour", Variant(int32_t{-2147483643}), "Long -2147483643"},
    {"SingleHalf", Variant(1.5f), "Single 1.5"},
    // 0.1f is not 0.1: the shortest text that reads back as the same float is still "0.1".
    {"SingleShortest", Variant(0.1f), "Single 0.1"},
    {"SingleTwips", Variant(2400.0f), "Single 2400"},
    {"DoublePoint", Variant(1234.5), "Double 1234.5"},
    // Every digit that tells the value apart is written: no rounding to 15 places.
    {"DoubleShortest", Variant(0.1 + 0.2), "Double 0.30000000000000004"},
    {"DoubleNegative", Variant(-0.25), "Double -0.25"},
    {"DoubleWhole", Variant(3.0), "Double 3"},
    // Serials as numbers: this table is built before main, when other files' tables may
    // not be.
    {"Date", Variant::Date(45651), "Date 2024-12-25"},
    {"DateTime", Variant::Date(45651 + (13 * 3600 + 45 * 60) / 86400.0),
     "Date 2024-12-25 13:45:00"},
    {"DateBeforeZero", Variant::Date(-1), "Date 1899-12-29"},
    {"DateZero", Variant::Date(0), "Date 1899-12-30"},
    {"String", Variant("25/12/2024"), "String \"25/12/2024\""},
    {"StringEmpty", Variant(""), "String \"\""},
    {"StringQuoteAndBackslash", Variant("a\"b\\c"), "String \"a\\\"b\\\\c\""},
    {"StringControlCharacters", Variant("\t\r\n"), "String \"\\x09\\x0D\\x0A\""},
    {"StringDelAndHigh", Variant("\x7F\xA0\xFF"), "String \"\\x7F\\xA0\\xFF\""},
    {"StringNul", Variant(std::string("a\0", 2)), "String \"a\\x00\""},
    {"BooleanTrue", Variant(true), "Boolean True"},
    {"BooleanFalse", Variant(false), "Boolean False"},
    {"ObjectNothing", Variant(std::shared_ptr<Object>()), "Object Nothing"},
};

INSTANTIATE_TEST_SUITE_P(Values, RenderTest, testing::ValuesIn(kRenderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A value written in a script and rendered back: the literal typing of the runner.
struct ValueCase {
  const char* name;
  Token token;
  std::string rendering;  // empty: the token is no value
};

void PrintTo(const ValueCase& c, std::ostream* os) {
  *os << c.name;
}

class ValueOfTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueOfTest, Reads) {
  LexFault fault;
  auto v = ValueOf(GetParam().token, fault);
  if (GetParam().rendering.empty()) {
    EXPECT_FALSE(v.has_value());
    EXPECT_FALSE(fault.expected.empty());
  } else {
    ASSERT_TRUE(v.has_value()) << fault.expected;
    EXPECT_EQ(Render(*v), GetParam().rendering);
  }
}

Token W(std::string s) {
  return {TokenKind::Word, std::move(s)};
}

const ValueCase kValueCases[] = {
    {"SmallWholeIsInteger", W("-5"), "Integer -5"},
    {"IntegerUpperBound", W("32767"), "Integer 32767"},
    {"IntegerLowerBound", W("-32768"), "Integer -32768"},
    {"PastIntegerIsLong", W("32768"), "Long 32768"},
    {"LongLowerBound", W("-2147483648"), "Long -2147483648"},
    {"PastLongIsDouble", W("2147483648"), "Double 2147483648"},
    {"PlusSign", W("+7"), "Integer 7"},
    {"Decimal", W("12.5"), "Double 12.5"},
    {"NegativeDecimal", W("-0.25"), "Double -0.25"},
    {"True", W("true"), "Boolean True"},
    {"False", W("false"), "Boolean False"},
    {"Empty", W("empty"), "Empty"},
    {"Null", W("null"), "Null"},
    {"String", {TokenKind::String, "x\xA0"}, "String \"x\\xA0\""},
    {"Date", {TokenKind::Date, "2024-12-25"}, "Date 2024-12-25"},
    {"DateTime", {TokenKind::Date, "2024-12-25 13:45:00"}, "Date 2024-12-25 13:45:00"},
    {"DateTimeNoSeconds", {TokenKind::Date, "2024-02-29 9:05"}, "Date 2024-02-29 09:05:00"},
    {"InvalidDate", {TokenKind::Date, "2023-02-29"}, ""},
    {"InvalidHour", {TokenKind::Date, "2024-12-25 24:00:00"}, ""},
    {"CommaDecimalIsNoValue", W("12,5"), ""},
    {"TrailingPoint", W("12."), ""},
    {"LeadingPoint", W(".5"), ""},
    {"CapitalTrueIsNoValue", W("True"), ""},
    {"BareWord", W("Numeric"), ""},
    {"LoneMinus", W("-"), ""},
};

INSTANTIATE_TEST_SUITE_P(Tokens, ValueOfTest, testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every string a script can write reads back from its rendering unchanged, whatever byte.
TEST(QuoteTextTest, EveryByteReadsBack) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  LexedLine lexed = LexLine(QuoteText(all));
  ASSERT_FALSE(lexed.faulty);
  ASSERT_EQ(lexed.tokens.size(), 1u);
  EXPECT_EQ(lexed.tokens[0].text, all);
}

}  // namespace
}  // namespace orvo::play
