// The play script lexer: tokens, escapes, comments, date literals and UTF-8 reading.
#include "script_lexer.h"

#include <gtest/gtest.h>

#include <ostream>

#include "checks.h"

namespace orvo::play {
namespace {

Token W(std::string s) {
  return {TokenKind::Word, std::move(s)};
}
Token S(std::string s) {
  return {TokenKind::String, std::move(s)};
}
Token D(std::string s) {
  return {TokenKind::Date, std::move(s)};
}

struct LexCase {
  const char* name;
  std::string line;
  std::vector<Token> tokens;
  std::string faultExpected;  // empty when the line lexes
};

void PrintTo(const LexCase& c, std::ostream* os) {
  *os << c.name;
}

class LexLineTest : public testing::TestWithParam<LexCase> {};

TEST_P(LexLineTest, Lexes) {
  const LexCase& c = GetParam();
  LexedLine got = LexLine(c.line);
  if (c.faultExpected.empty()) {
    EXPECT_FALSE(got.faulty) << got.fault.expected << " / " << got.fault.got;
    ASSERT_EQ(got.tokens.size(), c.tokens.size());
    for (size_t i = 0; i < c.tokens.size(); ++i) {
      EXPECT_EQ(got.tokens[i].kind, c.tokens[i].kind) << i;
      EXPECT_EQ(got.tokens[i].text, c.tokens[i].text) << i;
    }
  } else {
    EXPECT_TRUE(got.faulty);
    EXPECT_EQ(got.fault.expected, c.faultExpected);
    EXPECT_TRUE(got.tokens.empty());
  }
}

const LexCase kLexCases[] = {
    {"BlankLine", "   \t ", {}, ""},
    {"CommentLine", "# set Text \"x\"", {}, ""},
    {"WordsSplitOnBlanks", "  set\tMaxLength   5 ", {W("set"), W("MaxLength"), W("5")}, ""},
    {"TrailingComment", "get Text # the shown text", {W("get"), W("Text")}, ""},
    {"HashGluedToWordStartsComment", "get Text#x", {W("get"), W("Text")}, ""},
    {"HashInsideStringIsText", "keys \"#12\"", {W("keys"), S("#12")}, ""},
    {"EmptyString", "keys \"\"", {W("keys"), S("")}, ""},
    {"StringWithBlanks", "set Caption \"a  b\"", {W("set"), W("Caption"), S("a  b")}, ""},
    {"SimpleEscapes", R"(keys "\"\\\t\n\r")", {W("keys"), S("\"\\\t\n\r")}, ""},
    {"HexEscapeUpperAndLower",
     R"(keys "\xA0\xff\x41")",
     {W("keys"), S("\xA0\xFF"
                   "A")},
     ""},
    {"HexEscapeNul", R"(keys "a\x00b")", {W("keys"), S(std::string("a\0b", 3))}, ""},
    {"Latin1CharacterKept", "keys \"\xE7\"", {W("keys"), S("\xE7")}, ""},
    {"DateLiteral", "set Value #2024-12-25#", {W("set"), W("Value"), D("2024-12-25")}, ""},
    {"DateTimeLiteral",
     "=> #2024-12-25 13:45:00# x",
     {W("=>"), D("2024-12-25 13:45:00"), W("x")},
     ""},
    {"DateTimeWithoutSeconds",
     "set Value #2024-1-5 9:05#",
     {W("set"), W("Value"), D("2024-1-5 9:05")},
     ""},
    {"HashNotADateIsComment", "set Value #24-12-25#", {W("set"), W("Value")}, ""},
    {"NegativeAndDecimalWords", "size -5 12.5", {W("size"), W("-5"), W("12.5")}, ""},
    {"ShapesOfNames", "get txt(2).MaxLength", {W("get"), W("txt(2).MaxLength")}, ""},
    {"CheckArrow", "=> String \"a\"", {W("=>"), W("String"), S("a")}, ""},
    {"UnterminatedString", "keys \"abc", {}, "a closing quote"},
    {"BackslashAtEnd", "keys \"abc\\", {}, "an escape after \\"},
    {"UnknownEscape", R"(keys "\q")", {}, "one of the escapes \\\" \\\\ \\t \\n \\r \\xHH"},
    {"ShortHexEscape", R"(keys "\x4")", {}, "two hex digits after \\x"},
    {"NonHexEscape", R"(keys "\xG1")", {}, "two hex digits after \\x"},
    {"StringGluedToWord", "keys \"a\"b", {}, "a blank after the closing quote"},
};

INSTANTIATE_TEST_SUITE_P(Lines, LexLineTest, testing::ValuesIn(kLexCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::string latin1;  // when it converts
  std::string bad;     // when it does not
};

void PrintTo(const Utf8Case& c, std::ostream* os) {
  *os << c.name;
}

class Utf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, Converts) {
  const Utf8Case& c = GetParam();
  std::string latin1, bad;
  bool ok = Utf8ToLatin1(c.utf8, latin1, bad);
  if (c.bad.empty()) {
    EXPECT_TRUE(ok);
    EXPECT_EQ(latin1, c.latin1);
  } else {
    EXPECT_FALSE(ok);
    EXPECT_EQ(bad, c.bad);
  }
}

const Utf8Case kUtf8Cases[] = {
    {"Ascii", "abc", "abc", ""},
    {"TwoByteLatin1", "ma\xC3\xA7o \xC3\xBF", "ma\xE7o \xFF", ""},
    {"NoBreakSpace", "\xC2\xA0", "\xA0", ""},
    {"EuroSignRefused", "\xE2\x82\xAC", "", "U+20AC"},
    {"FourByteRefused", "\xF0\x9F\x98\x80", "", "U+1F600"},
    {"StrayLatin1ByteKept", "ma\xE7o", "ma\xE7o", ""},
    {"OverlongTwoByteTakenAsBytes", "\xC0\x80", "\xC0\x80", ""},
    {"TruncatedSequenceAtEnd", "a\xC3", "a\xC3", ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, Utf8Test, testing::ValuesIn(kUtf8Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::play

namespace orvo::play {
namespace {

// Random lines over the characters the lexer treats specially: it never fails to answer,
// and whatever it reads, written back canonically, reads back to the same tokens.
TEST(LexLineRandomTest, CanonicalTextReadsBack) {
  const std::string alphabet = "ab1-.:# \"\\xtnr09AFG\t\xA0\xFF";
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  int lexed = 0;
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    const size_t length = next() % 24;
    for (size_t i = 0; i < length; ++i) line += alphabet[next() % alphabet.size()];
    LexedLine first = LexLine(line);
    if (first.faulty) {
      EXPECT_FALSE(first.fault.expected.empty()) << line;
      continue;
    }
    ++lexed;
    std::string canonical = CanonicalText(first.tokens);
    LexedLine again = LexLine(canonical);
    ASSERT_FALSE(again.faulty) << line << " -> " << canonical;
    ASSERT_EQ(again.tokens, first.tokens) << line << " -> " << canonical;
  }
  EXPECT_GT(lexed, 1000);  // the alphabet lets enough lines through to mean something
}

}  // namespace
}  // namespace orvo::play
