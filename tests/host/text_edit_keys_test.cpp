// The edit rules both hosts' text boxes share, as pure functions: caret and selection
// movement, deletions across CR LF, the length limit, locked boxes and the clipboard keys.
#include "host/core/text_edit_keys.h"

#include <gtest/gtest.h>

#include <cctype>

namespace orvo {
namespace {

struct EditRuleCase {
  std::string name;
  std::string text;
  int32_t anchor, caret;
  bool multiLine, locked;
  int32_t maxLength;
  std::vector<std::pair<int16_t, int16_t>> keyDowns;  // code, shift
  std::string chars;                                  // then these characters
  std::string expectedText;
  int32_t expectedAnchor, expectedCaret;
  std::string expectedClipboard;
};

class EditRules : public ::testing::TestWithParam<EditRuleCase> {};

TEST_P(EditRules, Apply) {
  const EditRuleCase& c = GetParam();
  std::string clipboard = "PASTE";
  EditContext ctx;
  ctx.multiLine = c.multiLine;
  ctx.locked = c.locked;
  ctx.maxLength = c.maxLength;
  ctx.clipboardText = [&] { return clipboard; };
  ctx.setClipboardText = [&](const std::string& s) { clipboard = s; };
  EditBuffer b{c.text, c.anchor, c.caret};
  for (auto [code, shift] : c.keyDowns) ApplyEditKeyDown(b, code, shift, ctx);
  for (char ch : c.chars) ApplyEditChar(b, static_cast<unsigned char>(ch), ctx);
  EXPECT_EQ(b.text, c.expectedText);
  EXPECT_EQ(b.anchor, c.expectedAnchor);
  EXPECT_EQ(b.caret, c.expectedCaret);
  EXPECT_EQ(clipboard, c.expectedClipboard);
}

// One case a row.
// clang-format off
const EditRuleCase kRules[] = {
    {"delete at the end does nothing", "ab", 2, 2, false, false, 0, {{46, 0}}, "", "ab", 2, 2, "PASTE"},
    {"delete takes CR LF whole", "a\r\nb", 1, 1, true, false, 0, {{46, 0}}, "", "ab", 1, 1, "PASTE"},
    {"backspace takes CR LF whole", "a\r\nb", 3, 3, true, false, 0, {}, "\b", "ab", 1, 1, "PASTE"},
    {"a locked box moves but does not edit", "abc", 1, 1, false, true, 0, {{46, 0}, {39, 0}}, "x\b\x18", "abc", 2, 2, "PASTE"},
    {"a locked box still copies", "abc", 0, 2, false, true, 0, {}, "\x03", "abc", 0, 2, "ab"},
    {"cut empties the selection onto the clipboard", "abc", 2, 0, false, false, 0, {}, "\x18", "c", 0, 0, "ab"},
    {"cut without a selection does nothing", "abc", 1, 1, false, false, 0, {}, "\x18", "abc", 1, 1, "PASTE"},
    {"paste replaces the selection", "abcd", 1, 3, false, false, 0, {}, "\x16", "aPASTEd", 6, 6, "PASTE"},
    {"paste is cut to the room left", "abc", 3, 3, false, false, 5, {}, "\x16", "abcPA", 5, 5, "PASTE"},
    {"typing at the limit does nothing", "abc", 1, 1, false, false, 3, {}, "x", "abc", 1, 1, "PASTE"},
    {"control characters insert nothing", "ab", 1, 1, false, false, 0, {}, "\x01\x1b\t\r", "ab", 1, 1, "PASTE"},
    {"enter breaks a line in a multi-line box", "ab", 1, 1, true, false, 0, {}, "\r", "a\r\nb", 3, 3, "PASTE"},
    {"home and end stay on the caret's line", "ab\r\ncde\r\nf", 5, 5, true, false, 0, {{36, 0}}, "", "ab\r\ncde\r\nf", 4, 4, "PASTE"},
    {"end stops before the line break", "ab\r\ncde\r\nf", 5, 5, true, false, 0, {{35, 0}}, "", "ab\r\ncde\r\nf", 7, 7, "PASTE"},
    {"down keeps the column where it can", "abcd\r\nef", 3, 3, true, false, 0, {{40, 0}}, "", "abcd\r\nef", 8, 8, "PASTE"},
    {"down on the last line stays", "ab\r\ncd", 5, 5, true, false, 0, {{40, 0}}, "", "ab\r\ncd", 5, 5, "PASTE"},
    {"up on the first line stays", "ab\r\ncd", 1, 1, true, false, 0, {{38, 0}}, "", "ab\r\ncd", 1, 1, "PASTE"},
    {"shift+down selects to the next line", "ab\r\ncd", 1, 1, true, false, 0, {{40, 1}}, "", "ab\r\ncd", 1, 5, "PASTE"},
    {"up and down move nothing in one line", "abc", 1, 1, false, false, 0, {{38, 0}, {40, 0}}, "", "abc", 1, 1, "PASTE"},
    {"shift+left past the anchor flips the selection", "abcd", 2, 3, false, false, 0, {{37, 1}, {37, 1}}, "", "abcd", 2, 1, "PASTE"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, EditRules, ::testing::ValuesIn(kRules), [](const auto& info) {
  std::string n;
  for (char ch : info.param.name) n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return n;
});

TEST(EditRules, PasteIntoOneLineTakesTheFirstLine) {
  EditContext ctx;
  ctx.clipboardText = [] { return std::string("12\r\n34"); };
  EditBuffer b{"", 0, 0};
  EXPECT_TRUE(ApplyEditChar(b, 22, ctx));
  EXPECT_EQ(b.text, "12");
  ctx.multiLine = true;
  EditBuffer m{"", 0, 0};
  ApplyEditChar(m, 22, ctx);
  EXPECT_EQ(m.text, "12\r\n34");
}

}  // namespace
}  // namespace orvo
