// The keys that typed characters and named keys go down as: a wrong code here turns a typed
// '.' into a Delete or a '(' into a Down arrow for every control.
#include "base/key_strokes.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

struct CharCase {
  unsigned char c;
  KeyStroke expected;
};

class TypedCharacter : public ::testing::TestWithParam<CharCase> {};

TEST_P(TypedCharacter, GoesDownAsItsKeyOnAUsKeyboard) {
  EXPECT_EQ(KeyStrokeForChar(GetParam().c), GetParam().expected) << int(GetParam().c);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TypedCharacter,
    ::testing::Values(
        CharCase{'a', {65, 0, 'a'}}, CharCase{'Z', {90, 1, 'Z'}}, CharCase{'7', {55, 0, '7'}},
        CharCase{' ', {32, 0, 32}}, CharCase{'.', {190, 0, '.'}}, CharCase{',', {188, 0, ','}},
        CharCase{'-', {189, 0, '-'}}, CharCase{'/', {191, 0, '/'}}, CharCase{'(', {57, 1, '('}},
        CharCase{')', {48, 1, ')'}}, CharCase{'&', {55, 1, '&'}}, CharCase{'%', {53, 1, '%'}},
        CharCase{'\'', {222, 0, '\''}}, CharCase{'"', {222, 1, '"'}}, CharCase{':', {186, 1, ':'}},
        CharCase{'@', {50, 1, '@'}}, CharCase{13, {13, 0, 13}}, CharCase{8, {8, 0, 8}},
        CharCase{3, {67, 2, 3}}, CharCase{22, {86, 2, 22}}, CharCase{0xE7, {186, 0, 0xE7}},
        CharCase{0xC7, {186, 1, 0xC7}}, CharCase{0xE3, {65, 0, 0xE3}},
        CharCase{0xC9, {69, 1, 0xC9}}, CharCase{0xA0, {223, 0, 0xA0}},
        CharCase{0xFF, {89, 0, 0xFF}}));

struct NamedCase {
  const char* name;
  KeyStroke expected;
};

class NamedKeys : public ::testing::TestWithParam<NamedCase> {};

TEST_P(NamedKeys, DeliverTheirCodeShiftAndCharacter) {
  std::optional<KeyStroke> k = NamedKey(GetParam().name);
  ASSERT_TRUE(k) << GetParam().name;
  EXPECT_EQ(*k, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NamedKeys,
    ::testing::Values(NamedCase{"Enter", {13, 0, 13}}, NamedCase{"Tab", {9, 0, 0}},
                      NamedCase{"Shift+Tab", {9, 1, 0}}, NamedCase{"Ctrl+Tab", {9, 2, 0}},
                      NamedCase{"Delete", {46, 0, 0}}, NamedCase{"Backspace", {8, 0, 8}},
                      NamedCase{"Escape", {27, 0, 27}}, NamedCase{"Space", {32, 0, 32}},
                      NamedCase{"F4", {115, 0, 0}}, NamedCase{"Shift+End", {35, 1, 0}},
                      NamedCase{"Ctrl+X", {88, 2, 24}}, NamedCase{"Up", {38, 0, 0}}));

TEST(NamedKeys, UnknownNamesAreRefused) {
  EXPECT_FALSE(NamedKey("Ctrl+Z"));
  EXPECT_FALSE(NamedKey("enter"));
}

}  // namespace
}  // namespace orvo
