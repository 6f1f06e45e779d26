// Keystroke editing through the pure engine: typing, deleting, clipboard and navigation rows.
#include <gtest/gtest.h>

#include "mask_keys.h"

namespace orvo {
namespace {

using testing_support::Field;
using testing_support::KeyRun;
using testing_support::RunKeys;

Field Chr(const char* mask) {
  return Field{mask};
}
Field Num(const char* mask) {
  return Field{mask, TipoDeCampo::Numeric};
}
Field NumPoint(const char* mask) {
  return Field{mask, TipoDeCampo::Numeric, true};
}
Field Dat(const char* mask) {
  return Field{mask, TipoDeCampo::Date};
}
Field WithMax(Field f, int32_t maxLength) {
  f.maxLength = maxLength;
  return f;
}
Field Locked(Field f) {
  f.readOnly = true;
  return f;
}
Field Disabled(Field f) {
  f.enabled = false;
  return f;
}
Field Box2(Field f) {
  f.multiLineBox = true;
  return f;
}

struct TypingCase {
  const char* name;
  Field field;
  const char* text;  // the box before the keys
  int32_t selStart;
  int32_t selLength;
  const char* keys;
  const char* want;
  int32_t caret;
  bool beep = false;
  const char* clipboard = "";
};

void PrintTo(const TypingCase& c, std::ostream* os) {
  *os << c.name;
}

class TypingTest : public testing::TestWithParam<TypingCase> {};

TEST_P(TypingTest, LaysOutText) {
  const TypingCase& c = GetParam();
  const KeyRun run =
      RunKeys(c.field, EditState{c.text, c.selStart, c.selLength, 0}, c.keys, c.clipboard);
  EXPECT_EQ(run.state.text, c.want);
  EXPECT_EQ(run.state.selStart, c.caret);
  EXPECT_EQ(run.beep, c.beep);
}

// clang-format off
const TypingCase kTypingCases[] = {
    // Dates: each literal is laid in when the digit after it is typed.
    {"DateTypedWhole", Dat("99/99/9999"), "", 0, 0, "25122024", "25/12/2024", 10},
    {"DateLiteralWaitsForNextDigit", Dat("99/99/9999"), "", 0, 0, "25", "25", 2},
    {"DateInsertShiftsAndCuts", Dat("99/99/9999"), "25/12/2024", 3, 0, "3", "25/31/2202", 4},
    {"DateAnyDigitsAccepted", Dat("99/99/9999"), "", 0, 0, "31022024", "31/02/2024", 10},
    {"DateExtraDigitsDropped", Dat("99/99/9999"), "", 0, 0, "2512202499", "25/12/2024", 10},
    // A refused character still lays in the literal the caret passed.
    {"DateLetterRefusedAfterLiteral", Dat("99/99/9999"), "25", 2, 0, "a", "25/", 3},
    {"DateMonthNameCased", Dat("dd/mmm/yyyy"), "", 0, 0, "01JAN2024", "01/Jan/2024", 11},
    {"DateSelectAllDelete", Dat("99/99/9999"), "25/12/2024", 0, 10, "{DEL}", "", 0},
    {"DateDeleteClosesUp", Dat("99/99/9999"), "25/12/2024", 0, 0, "{DEL}", "51/22/024", 0},
    {"DateBackspaceAtStartChangesNothing", Dat("99/99/9999"), "25/12", 0, 0, "{BS}", "25/12", 0},
    {"DateBackspaceOverLiteralMovesBack", Dat("99/99/9999"), "25/12", 3, 0, "{BS}", "25/12", 2},
    {"DateBackspaceRemovesDigit", Dat("99/99/9999"), "25/12", 5, 0, "{BS}", "25/1", 4},
    // Backspace over a selection removes the selection only.
    {"BackspaceRemovesSelectionOnly", Dat("99/99/9999"), "25/12/2024", 3, 2, "{BS}", "25/20/24", 3},
    {"TypingReplacesSelection", Dat("99/99/9999"), "25/12/2024", 3, 2, "07", "25/07/2024", 5},
    // Codes and telephones: runs of literals are laid in whole.
    {"CodeTypedWhole", Chr("999.999.999-99"), "", 0, 0, "12345678901", "123.456.789-01", 14},
    {"CodeDeleteInMiddle", Chr("999.999.999-99"), "123.456.789-01", 4, 0, "{DEL}", "123.567.890-1", 4},
    {"PhoneTypedOncePerDigit", Chr("(99) 9999-9999"), "", 0, 0, "1123456789", "(11) 2345-6789", 14},
    {"PhoneAfterAreaCode", Chr("(99) 9999-9999"), "", 0, 0, "112", "(11) 2", 6},
    {"PhoneInsertAtFront", Chr("(99) 9999-9999"), "(11) 2345-6789", 0, 0, "9", "(91) 1234-5678", 2},
    {"LeadingSpacesTemplate", Chr("  99-99"), "", 0, 0, "1234", "  12-34", 7},
    // Numbers, comma-decimal locale.
    {"NumericGroupsWhileTyping", Num("#.##0,00"), "", 0, 0, "1234", "1.234", 5},
    {"NumericDecimals", Num("#.##0,00"), "", 0, 0, "1234,5", "1.234,5", 7},
    {"NumericPointTypedAsComma", Num("#.##0,00"), "", 0, 0, "12.5", "12,5", 4},
    {"NumericSecondSeparatorBeeps", Num("#.##0,00"), "", 0, 0, "1234,5,", "1.234,5", 7, true},
    {"NumericDecimalsCut", Num("#.##0,00"), "", 0, 0, "1,234", "1,23", 4},
    // The field holds IntegerDigits digits: a fifth one is dropped, the sign takes no digit.
    {"NumericIntegerDigitsCut", Num("#.##0,00"), "", 0, 0, "12345", "1.234", 5},
    // Kept on purpose: a typed "-" moves the caret one position further, even when it beeps.
    {"NumericMinusInFront", Num("#.##0,00"), "12,5", 0, 0, "-", "-12,5", 2},
    {"NumericMinusElsewhereBeeps", Num("#.##0,00"), "12,5", 2, 0, "-", "12,5", 3, true},
    {"NumericSecondMinusBeeps", Num("#.##0,00"), "-12", 0, 0, "-", "-12", 1, true},
    {"NumericNegativeKeepsAllDigits", Num("#.##0,00"), "", 0, 0, "-1234", "-1.234", 6},
    {"NumericBackspaceRegroups", Num("#.##0,00"), "1.234", 5, 0, "{BS}", "123", 3},
    {"NumericInsertRegroupsCaretFollows", Num("#.##0"), "123", 0, 0, "4", "4.123", 2},
    {"NumericSelectAllRetype", Num("#.##0,00"), "1.234,56", 0, 8, "9", "9", 1},
    {"NumericNoDecimalsBeeps", Num("9999"), "12", 2, 0, ",", "12", 2, true},
    // A full field without literals keeps its length: the typed digit or letter pushes the
    // last one out, as in a template with literals.
    {"NumericUngroupedFullInsertAtFront", Num("9999"), "1234", 0, 0, "5", "5123", 1},
    {"NumericUngroupedFullKeepsDecimals", Num("9999,99"), "1234,56", 0, 0, "7", "7123,56", 1},
    {"LettersFullInsertAtFront", Chr("AAAA"), "abcd", 0, 0, "e", "eabc", 1},
    {"NumericLettersRefused", Num("#.##0,00"), "", 0, 0, "1a2", "12", 2},
    {"SpinnerGroups", Field{"#.##0", TipoDeCampo::Spinner}, "", 0, 0, "98765", "9.876", 5},
    // Numbers, point-decimal locale.
    {"PointLocaleGroups", NumPoint("#.##0,00"), "", 0, 0, "1234.5", "1,234.5", 7},
    {"PointLocaleCommaIsDecimal", NumPoint("#.##0,00"), "", 0, 0, "1234,5", "1,234.5", 7},
    {"PointLocaleSecondPointBeeps", NumPoint("#.##0,00"), "", 0, 0, "1.2.", "1.2", 3, true},
    // Case functions and class positions.
    {"UpperFunction", Chr("@!"), "", 0, 0, "abc", "ABC", 3},
    {"LowerFunction", Chr("@a"), "", 0, 0, "ABC", "abc", 3},
    {"UpperWinsOverLower", Chr("@a@!"), "", 0, 0, "aBc", "ABC", 3},
    {"LowerLeavesLetterPositions", Chr("@aAAA"), "", 0, 0, "ABC", "ABC", 3},
    {"BangUppers", Chr("!!!"), "", 0, 0, "ab1", "AB1", 3},
    {"SmallALowers", Chr("aaa"), "", 0, 0, "AB1", "ab1", 3},
    {"UpperBeatsSmallA", Chr("@!aaa"), "", 0, 0, "abc", "ABC", 3},
    {"LatinOneUppered", Chr("!!"), "", 0, 0, "\xE9\xFF", "\xC9\xFF", 2},
    {"LetterPositionRefusesDigitAndSymbol", Chr("AAA"), "", 0, 0, "a1@b", "ab", 2},
    {"LetterPositionAcceptsAccentsAndSpace", Chr("AAA"), "", 0, 0, "\xE7 \xFD", "\xE7 ", 2},
    {"AlnumAcceptsDigit", Chr("NNN"), "", 0, 0, "a1@", "a1", 2},
    {"HashAcceptsSpace", Chr("###"), "", 0, 0, "1 2", "1 2", 3},
    {"NineRefusesSpace", Chr("999"), "", 0, 0, "1 2", "12", 2},
    {"OtherTemplateCharacterRefuses", Chr("ZZ"), "", 0, 0, "ab", "", 0},
    {"BeyondTemplateIsFree", Chr("99"), "", 0, 0, "12ab", "12", 2},
    {"BeyondTemplateWithFunction", Chr("@!99"), "", 0, 0, "12ab", "12AB", 4},
    {"AllLettersFillsMaxLength", WithMax(Chr("@A"), 5), "", 0, 0, "ab1cdefg", "abcde", 5},
    {"ControlCharacterIgnored", Chr("XXX"), "ab", 2, 0, "{#1}{#127}{#300}", "ab", 2},
    // Literal characters typed into free positions are data, kept through later edits.
    {"LiteralCharacterInFreePosition", Chr("XX-XX"), "", 0, 0, "a-b", "a--b", 4},
    {"LiteralCharacterSurvivesInsert", Chr("XX-XX"), "a--b", 0, 0, "z", "za--b", 1},
    {"PointInFreeTextKept", Chr("XXXXXX"), "a.b", 0, 0, "z", "za.b", 1},
    {"SpaceInAlnumPositionKept", Chr("NNN-NNN"), "a b-c", 0, 0, "z", "za -bc", 1},
    {"TypedDeletionMarkCharacterKept", Chr("XXXX"), "\xFF" "ab", 0, 0, "z", "z\xFF" "ab", 1},
    // Clipboard.
    {"CopyKeepsText", Dat("99/99/9999"), "25/12/2024", 0, 5, "{C}", "25/12/2024", 0},
    {"CutDeletesSelection", Dat("99/99/9999"), "25/12/2024", 0, 5, "{X}", "20/24", 0},
    {"PasteLaysDigits", Dat("99/99/9999"), "", 0, 0, "{V}", "25/12/2024", 10, false, "25122024"},
    {"PasteRefusedCharactersSkipped", Dat("99/99/9999"), "", 0, 0, "{V}", "25/12/", 6, false, "2512abc"},
    {"PasteStopsAtControlCharacter", Chr("XXXXX"), "", 0, 0, "{V}", "12", 2, false, "12\n34"},
    {"PasteNumberDropsGrouping", Num("#.##0,00"), "", 0, 0, "{V}", "1.234,56", 8, false, "1.234,56"},
    {"PasteNumberNoBreakSpaceGrouping", Num("#.##0,00"), "", 0, 0, "{V}", "1.234,56", 8, false, "1\xA0" "234,56"},
    {"PasteNumberPointLocale", NumPoint("#.##0,00"), "", 0, 0, "{V}", "1,234.56", 8, false, "1,234.56"},
    {"PasteSecondSeparatorBeeps", Num("#.##0,00"), "", 0, 0, "{V}", "1,23", 4, true, "1,2,3"},
    {"PasteWithoutTemplateCased", Chr("@!"), "ab", 1, 0, "{V}", "aXYZb", 4, false, "xyz"},
    {"PasteWithoutTemplateReplacesSelection", Chr("@a"), "abcd", 1, 2, "{V}", "axyd", 3, false, "XY"},
    {"PasteWithoutTemplateFitsMaxLength", WithMax(Chr("@!"), 4), "ab", 2, 0, "{V}", "abXY", 4, false, "xyz"},
    {"PasteWithoutTemplateKeepsLineBreaks", Box2(Field{"", TipoDeCampo::Memo}), "", 0, 0, "{V}", "a\r\nb", 4, false, "a\r\nb"},
    {"PasteEmptyClipboardKeepsSelection", Chr("@!"), "abc", 0, 3, "{V}", "abc", 0},
    // Read-only, disabled and the multi-line box.
    {"LockedSwallowsLetters", Locked(Chr("XXX")), "ab", 2, 0, "c{BS}{DEL}", "ab", 2},
    {"LockedRefusesPaste", Locked(Chr("XXX")), "ab", 2, 0, "{V}", "ab", 2, false, "c"},
    {"LockedRefusesPasteWithoutTemplate", Locked(Chr("@!")), "ab", 2, 0, "{V}", "ab", 2, false, "c"},
    {"DisabledSwallowsLetters", Disabled(Chr("XXX")), "ab", 2, 0, "c", "ab", 2},
    {"MultiLineBoxPastesThroughEngine", Box2(Chr("@!")), "", 0, 0, "{V}", "AB", 2, false, "ab"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Keys, TypingTest, testing::ValuesIn(kTypingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What a key asks of the control besides the text: focus, pass-on, clipboard, writes.
struct EffectCase {
  const char* name;
  Field field;
  const char* keys;
  FocusMove focus;
  int16_t passOn;
  bool written;
  const char* clipboard;  // after the keys (starts as "old")
};

void PrintTo(const EffectCase& c, std::ostream* os) {
  *os << c.name;
}

class KeyEffectTest : public testing::TestWithParam<EffectCase> {};

TEST_P(KeyEffectTest, AsksTheControl) {
  const EffectCase& c = GetParam();
  const KeyRun run = RunKeys(c.field, EditState{"12", 0, 1, 0}, c.keys, "old");
  EXPECT_EQ(run.lastFocus, c.focus);
  EXPECT_EQ(run.lastPassOn, c.passOn);
  EXPECT_EQ(run.anyWritten, c.written);
  EXPECT_EQ(run.clipboard, c.clipboard);
}

// clang-format off
const EffectCase kEffectCases[] = {
    {"EnterMovesOn", Chr("99"), "{ENTER}", FocusMove::Next, 0, false, "old"},
    {"DownMovesOn", Chr("99"), "{DOWN}", FocusMove::Next, 0, false, "old"},
    {"UpMovesBack", Chr("99"), "{UP}", FocusMove::Previous, 0, false, "old"},
    {"LockedEnterStillMovesOn", Locked(Chr("99")), "{ENTER}", FocusMove::Next, 0, false, "old"},
    {"MultiLineEnterIsNative", Box2(Chr("")), "{ENTER}", FocusMove::None, 13, false, "old"},
    {"MultiLineUpIsNative", Box2(Chr("")), "{UP}", FocusMove::None, -2, false, "old"},
    {"MultiLineTypingIsNative", Box2(Chr("")), "a", FocusMove::None, 'a', false, "old"},
    {"MultiLineDeleteIsNative", Box2(Chr("")), "{DEL}", FocusMove::None, -7, false, "old"},
    {"MultiLineCopyThroughEngine", Box2(Chr("")), "{C}", FocusMove::None, 0, false, "1"},
    {"MultiLineCutCopiesThenIsNative", Box2(Chr("")), "{X}", FocusMove::None, 24, false, "1"},
    {"CopyTakesSelection", Chr("99"), "{C}", FocusMove::None, 0, false, "1"},
    {"LockedCutOnlyCopies", Locked(Chr("99")), "{X}", FocusMove::None, 0, false, "1"},
    {"TypingConsumesKey", Chr("99"), "5", FocusMove::None, 0, true, "old"},
    {"ControlCharacterNotWritten", Chr("99"), "{#2}", FocusMove::None, 0, false, "old"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Keys, KeyEffectTest, testing::ValuesIn(kEffectCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AllLettersTest, TemplateRewrittenOnceThenStored) {
  const CompiledMask compiled =
      CompileMask("@A", TipoDeCampo::Character, false, DateOrder::DayMonthYear).compiled;
  const MaskEnv env{compiled};
  KeyOutcome first = ApplyKey(env, EditState{"", 0, 0, 3}, 'a', 'a');
  ASSERT_TRUE(first.maskTemplate.has_value());
  EXPECT_EQ(*first.maskTemplate, "AAA");
  CompiledMask stored = compiled;
  stored.MaskTemplate = *first.maskTemplate;
  const MaskEnv storedEnv{stored};
  EXPECT_FALSE(ApplyKey(storedEnv, first.state, 'b', 'b').maskTemplate.has_value());
}

}  // namespace
}  // namespace orvo
