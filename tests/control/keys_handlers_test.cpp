// Key events whose handlers change the key: what the field then does with the changed key.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvo/orvo_mask.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"

namespace orvo {
namespace {

// An application handler that rewrites one key: KeyDown turns `downFrom` into `downTo`,
// KeyPress turns `pressFrom` into `pressTo` (0 swallows the key).
struct RewritingEvents : OrvoMaskEvents {
  int16_t downFrom = -1, downTo = 0, pressFrom = -1, pressTo = 0;
  std::vector<std::string> raised;
  void KeyDown(int16_t& KeyCode, int16_t&) override {
    raised.push_back("KeyDown");
    if (KeyCode == downFrom) KeyCode = downTo;
  }
  void KeyPress(int16_t& KeyAscii) override {
    raised.push_back("KeyPress");
    if (KeyAscii == pressFrom) KeyAscii = pressTo;
  }
  void KeyUp(int16_t&, int16_t&) override { raised.push_back("KeyUp"); }
  void Change() override { raised.push_back("Change"); }
};

struct Case {
  std::string name;
  std::string mask;
  int16_t downFrom, downTo, pressFrom, pressTo;
  std::string key;  // a named key, or "'TEXT" typed
  std::string text;
  std::string focus;
};

std::ostream& operator<<(std::ostream& os, const Case& c) {
  return os << c.name;
}

// Three fields a, b, c; b holds "1234" under the case's mask, has the focus and the caret
// after its second character.
class KeyHandlers : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    for (const char* name : {"a", "b", "c"}) {
      ControlSite& site = host_.CreateSite(name);
      auto control =
          std::make_unique<OrvoMask>(site, name == std::string("b") ? &events_ : nullptr);
      host_.RegisterControl(site, control.get());
      MemoryPropertyBag bag;
      control->UserControl_ReadProperties(bag);
      controls_.push_back(std::move(control));
    }
    host_.ShowForm();
    OrvoMask& b = *controls_[1];
    b.SetMask(GetParam().mask);
    b.SetText("1234");
    host_.FocusControl(*host_.FindSite("b"));
    host_.SelectText(2, 0);
  }
  void TearDown() override { controls_.clear(); }

  HeadlessHost host_;
  RewritingEvents events_;
  std::vector<std::unique_ptr<OrvoMask>> controls_;
};

TEST_P(KeyHandlers, FieldActsOnTheKeyTheHandlerLeft) {
  const Case& c = GetParam();
  events_.downFrom = c.downFrom;
  events_.downTo = c.downTo;
  events_.pressFrom = c.pressFrom;
  events_.pressTo = c.pressTo;
  if (c.key[0] == '\'')
    host_.Type(c.key.substr(1));
  else
    host_.Key(c.key);
  EXPECT_EQ(controls_[1]->Text(), c.text);
  EXPECT_EQ(host_.FocusName(), c.focus);
}

const Case kCases[] = {
    {"UpZeroedStaysInTheField", "", 38, 0, -1, 0, "Up", "1234", "b"},
    {"DownZeroedStaysInTheField", "", 40, 0, -1, 0, "Down", "1234", "b"},
    {"UpLeftAloneMovesBack", "", -1, 0, -1, 0, "Up", "1234", "a"},
    {"DeleteZeroedKeepsTheText", "99-99", 46, 0, -1, 0, "Delete", "12-34", "b"},
    {"DeleteLeftAloneDeletes", "99-99", -1, 0, -1, 0, "Delete", "12-4", "b"},
    // Turning Delete into Down on the way down moves the focus instead.
    {"DeleteTurnedIntoDownMoves", "99-99", 46, 40, -1, 0, "Delete", "12-34", "c"},
    {"EnterCharacterZeroedStays", "", -1, 0, 13, 0, "Enter", "1234", "b"},
    {"CharacterZeroedIsNotTyped", "", -1, 0, '5', 0, "'5", "1234", "b"},
    // The engine lays in the character the handler left: "x" turned into "7" fits a digit.
    {"CharacterRewrittenIsTyped", "999999", -1, 0, 'x', '7', "'x", "12734", "b"},
    {"BackspaceZeroedKeepsTheText", "", -1, 0, 8, 0, "Backspace", "1234", "b"},
    {"CtrlTabLeftAloneIsSwallowed", "", -1, 0, -1, 0, "Ctrl+Tab", "1234", "b"},
};

INSTANTIATE_TEST_SUITE_P(Rewrites, KeyHandlers, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// A zeroed KeyDown still lets the key up through, and a key that changes the text raises
// Change during the key, before KeyUp.
TEST(KeyHandlerOrder, ChangeComesBeforeKeyUp) {
  HeadlessHost host;
  RewritingEvents events;
  ControlSite& site = host.CreateSite("a");
  OrvoMask field(site, &events);
  host.RegisterControl(site, &field);
  MemoryPropertyBag bag;
  field.UserControl_ReadProperties(bag);
  host.ShowForm();
  field.SetMask("999");
  host.FocusControl(site);
  host.Type("1");
  EXPECT_EQ(events.raised, (std::vector<std::string>{"KeyDown", "KeyPress", "Change", "KeyUp"}));
  events.raised.clear();
  events.downFrom = 46;
  host.Key("Delete");
  host.Key("Home");
  host.Key("Delete");
  EXPECT_EQ(field.Text(), "1");
  EXPECT_EQ(events.raised,
            (std::vector<std::string>{"KeyDown", "KeyUp", "KeyDown", "KeyUp", "KeyDown", "KeyUp"}));
}

}  // namespace
}  // namespace orvo
