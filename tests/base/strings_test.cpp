// The 1-based string routines: searches, removals, replacements, trims, case and slices.
#include "base/strings.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace orvo {
namespace {

struct SearchCase {
  const char* name;
  int32_t start;
  const char* text;
  const char* set;
  bool perChar;
  int16_t position;
};

class FirstCharInTable : public testing::TestWithParam<SearchCase> {};

TEST_P(FirstCharInTable, Finds) {
  const auto& c = GetParam();
  EXPECT_EQ(FirstCharIn(c.start, c.text, c.set, c.perChar), c.position);
}

INSTANTIATE_TEST_SUITE_P(Base, FirstCharInTable,
                         testing::ValuesIn(std::vector<SearchCase>{
                             {"SubstringFromOne", 1, "12/34/56", "/", false, 3},
                             {"SubstringFromLaterStart", 4, "12/34/56", "/", false, 6},
                             {"SubstringAtStartPosition", 3, "12/34/56", "/", false, 3},
                             {"SubstringWholeWord", 1, "abcabc", "ca", false, 3},
                             {"SubstringMissing", 1, "abc", "x", false, 0},
                             {"StartPastEnd", 9, "abc", "c", false, 0},
                             {"StartBelowOneCountsAsOne", 0, "abc", "a", false, 1},
                             {"EmptyTextNeverFinds", 1, "", "a", false, 0},
                             {"EmptySetFoundAtStart", 2, "abc", "", false, 2},
                             {"PerCharFirstOfSet", 5, "ab-cd/ef", "/-", true, 3},
                             {"PerCharIgnoresStart", 99, "xay", "a", true, 2},
                             {"PerCharMissing", 1, "abc", "xyz", true, 0},
                             {"PerCharEmptySet", 1, "abc", "", true, 0},
                             {"PerCharHighLatin1", 1, "a\xE7\xE3o", "\xE3", true, 3},
                             {"CaseSensitive", 1, "ABC", "b", false, 0},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FirstCharIn, PositionBeyond16BitsRaisesOverflow) {
  const std::string longText = std::string(40000, 'a') + "b";
  try {
    FirstCharIn(1, longText, "b", false);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

struct EditCase {
  const char* name;
  const char* text;
  const char* from;
  const char* to;  // nullptr: RemoveChars
  bool perChar;
  const char* result;
};

class EditTable : public testing::TestWithParam<EditCase> {};

TEST_P(EditTable, Edits) {
  const auto& c = GetParam();
  if (c.to == nullptr)
    EXPECT_EQ(RemoveChars(c.text, c.from, c.perChar), c.result);
  else
    EXPECT_EQ(ReplaceChars(c.text, c.from, c.to, c.perChar), c.result);
}

INSTANTIATE_TEST_SUITE_P(Base, EditTable,
                         testing::ValuesIn(std::vector<EditCase>{
                             {"RemoveSubstring", "1.234.567", ".", nullptr, false, "1234567"},
                             {"RemoveLongerSubstring", "abXYcdXY", "XY", nullptr, false, "abcd"},
                             {"RemoveSubstringNotSplit", "aXbY", "XY", nullptr, false, "aXbY"},
                             {"RemoveEmptyWhat", "abc", "", nullptr, false, "abc"},
                             {"RemoveEachChar", "(11) 2345-6789", "() -", nullptr, true,
                              "1123456789"},
                             {"RemoveEverything", "aaa", "a", nullptr, true, ""},
                             {"ReplaceSubstring", "1,5", ",", ".", false, "1.5"},
                             {"ReplaceGrowsWithoutLooping", "aa", "a", "aa", false, "aaaa"},
                             {"ReplaceSearchGoesOnAfterInsert", "aaa", "aa", "b", false, "ba"},
                             {"ReplaceByEmpty", "a-b-c", "-", "", false, "abc"},
                             {"ReplaceEmptyFrom", "abc", "", "x", false, "abc"},
                             {"TranslateChars", "1.234,5", ".,", ",.", true, "1,234.5"},
                             {"TranslateShortToKeeps", "abc", "abc", "X", true, "Xbc"},
                             {"TranslateFirstMatchWins", "a", "aa", "xy", true, "x"},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

struct SliceCase {
  const char* name;
  std::string got;
  const char* expected;
};

class SliceTable : public testing::TestWithParam<SliceCase> {};

TEST_P(SliceTable, Cuts) {
  EXPECT_EQ(GetParam().got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Base, SliceTable,
                         testing::ValuesIn(std::vector<SliceCase>{
                             {"LeftSome", Left("abcdef", 2), "ab"},
                             {"LeftZero", Left("abc", 0), ""},
                             {"LeftNegative", Left("abc", -5), ""},
                             {"LeftBeyond", Left("abc", 10), "abc"},
                             {"RightSome", Right("abcdef", 2), "ef"},
                             {"RightBeyond", Right("abc", 99), "abc"},
                             {"RightNegative", Right("abc", -1), ""},
                             {"MidFromStart", Mid("abcdef", 3), "cdef"},
                             {"MidWithLength", Mid("abcdef", 2, 3), "bcd"},
                             {"MidLengthPastEnd", Mid("abcdef", 5, 10), "ef"},
                             {"MidStartPastEnd", Mid("abc", 4), ""},
                             {"MidStartZeroClamps", Mid("abc", 0, 2), "ab"},
                             {"MidZeroLength", Mid("abc", 1, 0), ""},
                             {"MidHugeLength", Mid("abc", 2, INT64_MAX), "bc"},
                             {"TrimBothEnds", Trim("  a b  "), "a b"},
                             {"TrimKeepsTabs", Trim("\ta\t"), "\ta\t"},
                             {"TrimAllBlank", Trim("   "), ""},
                             {"LTrim", LTrim("  a "), "a "},
                             {"RTrim", RTrim("  a "), "  a"},
                             {"UCaseLatin1", UCase("a\xE7\xE3o \xF7\xFF"), "A\xC7\xC3O \xF7\xFF"},
                             {"LCaseLatin1", LCase("A\xC7\xC3O \xD7\xDE\xDF"),
                              "a\xE7\xE3o \xD7\xFE\xDF"},
                         }),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InStr, TextCompareFoldsLatin1) {
  EXPECT_EQ(InStr(1, "Jo\xC3O", "\xE3o", true), 3);
  EXPECT_EQ(InStr(1, "Jo\xC3O", "\xE3o", false), 0);
  EXPECT_EQ(InStr(2, "abab", "ab"), 3);
  EXPECT_EQ(InStr(-3, "abab", "ab"), 1);
}

}  // namespace
}  // namespace orvo
