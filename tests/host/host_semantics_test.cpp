// The widget and form semantics of the host model, which every host shares, tested once
// through the headless host (the model over the null platform).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/key_codes.h"
#include "fake_field.h"
#include "host/core/widget_node.h"
#include "host/headless/headless_host.h"

namespace orvo::testing {
namespace {

class HostSemantics : public ::testing::Test {
 protected:
  void SetUp() override { host = std::make_unique<HeadlessHost>(); }
  void TearDown() override {
    fields.clear();
    host.reset();
  }
  FakeField& Add(const std::string& name) {
    fields.push_back(std::make_unique<FakeField>(*host, name, log));
    return *fields.back();
  }
  std::unique_ptr<CoreHost> host;
  std::vector<std::string> log;
  std::vector<std::unique_ptr<FakeField>> fields;
};

using Log = std::vector<std::string>;

TEST_F(HostSemantics, TextSetNotifiesBeforeReturningAndOnlyOnChange) {
  FakeField& a = Add("a");
  std::string seenInHandler;
  a.txt->OnChange = [&] {
    seenInHandler = a.txt->Text();
    log.push_back("change");
  };
  a.txt->SetText("12/05");
  EXPECT_EQ(log, Log{"change"});
  EXPECT_EQ(seenInHandler, "12/05");
  a.txt->SetText("12/05");
  EXPECT_EQ(log, Log{"change"});
  // The classic box leaves the caret at the start after an assignment.
  EXPECT_EQ(a.txt->SelStart(), 0);
  a.txt->SetSelStart(99);
  EXPECT_EQ(a.txt->SelStart(), 5);
  a.txt->SetSelStart(1);
  a.txt->SetSelLength(99);
  EXPECT_EQ(a.txt->SelText(), "2/05");
  a.txt->SetSelText("X");
  EXPECT_EQ(a.txt->Text(), "1X");
  EXPECT_EQ(log, (Log{"change", "change"}));
}

TEST_F(HostSemantics, AssignedTextIsNotCutByMaxLength) {
  FakeField& a = Add("a");
  a.txt->SetMaxLength(3);
  a.txt->SetText("12345");
  EXPECT_EQ(a.txt->Text(), "12345");
}

struct ScrollCase {
  std::string name;
  int16_t min, max, value;
  int16_t expected;
};

TEST_F(HostSemantics, ScrollBarClampsToItsRangeEitherWayRound) {
  FakeField& a = Add("a");
  auto bar = a.site.CreateScrollBar(a.pic.get(), true);
  int changes = 0;
  bar->OnChange = [&] { ++changes; };
  const ScrollCase cases[] = {
      {"inside", 0, 10, 5, 5},           {"above max", 0, 10, 50, 10},
      {"below min", 0, 10, -3, 0},       {"inverted inside", 10, 1, 4, 4},
      {"inverted above", 10, 1, 11, 10}, {"inverted below", 10, 1, 0, 1},
  };
  for (const auto& c : cases) {
    bar->SetMin(-32768);
    bar->SetMax(32767);
    bar->SetValue(0);
    bar->SetMin(c.min);
    bar->SetMax(c.max);
    bar->SetValue(c.value);
    EXPECT_EQ(bar->Value(), c.expected) << c.name;
  }
  // The range moving under the value drags it along, with a notification.
  bar->SetMin(0);
  bar->SetMax(10);
  bar->SetValue(8);
  changes = 0;
  bar->SetMax(5);
  EXPECT_EQ(bar->Value(), 5);
  EXPECT_EQ(changes, 1);
  bar->SetValue(5);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(bar->SetSmallChange(0), Error);
  EXPECT_THROW(bar->SetLargeChange(-1), Error);
}

TEST_F(HostSemantics, ScrollBarClicksStepTowardsTheClickedEnd) {
  FakeField& a = Add("a");
  auto bar = a.site.CreateScrollBar(a.pic.get(), true);
  bar->Move(2000, 0, 255, 600);
  host->ShowForm();
  // Min 1 at the top, Max 10 at the bottom; then the same bar inverted.
  bar->SetMin(1);
  bar->SetMax(10);
  bar->SetValue(1);
  bar->SetSmallChange(1);
  bar->SetLargeChange(3);
  int changes = 0;
  bar->OnChange = [&] { ++changes; };
  host->ClickScrollBar(*bar, ScrollPart::ArrowMax);
  EXPECT_EQ(bar->Value(), 2);
  host->ClickScrollBar(*bar, ScrollPart::PageMax);
  EXPECT_EQ(bar->Value(), 5);
  host->ClickScrollBar(*bar, ScrollPart::ArrowMin);
  host->ClickScrollBar(*bar, ScrollPart::PageMin);
  host->ClickScrollBar(*bar, ScrollPart::ArrowMin);
  EXPECT_EQ(bar->Value(), 1);
  EXPECT_EQ(changes, 4);  // the last click hit the end and changed nothing
  bar->SetMin(10);
  bar->SetMax(1);
  bar->SetValue(10);
  host->ClickScrollBar(*bar, ScrollPart::ArrowMax);
  EXPECT_EQ(bar->Value(), 9);
}

TEST_F(HostSemantics, SetFocusOnAHiddenWidgetRaisesError5) {
  FakeField& a = Add("a");
  try {
    a.txt->SetFocus();  // the form is not shown yet
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 5);
  }
  host->ShowForm();
  a.txt->SetVisible(false);
  EXPECT_THROW(a.txt->SetFocus(), Error);
  a.txt->SetVisible(true);
  a.pic->SetEnabled(false);  // a disabled parent keeps its children from the focus
  EXPECT_THROW(a.txt->SetFocus(), Error);
}

TEST_F(HostSemantics, FocusNotificationsComeInClassicOrder) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  host->ShowForm();
  host->FocusControl(a.site);
  EXPECT_EQ(log, (Log{"a.Enter", "a.Got"}));
  log.clear();
  host->FocusControl(b.site);
  EXPECT_EQ(log, (Log{"a.Lost", "a.Exit", "b.Enter", "b.Got"}));
  EXPECT_EQ(host->FocusName(), "b");
  log.clear();
  // Within one control no Exit/Enter.
  b.pic->SetFocus();
  EXPECT_EQ(log, (Log{"b.Lost"}));
}

TEST_F(HostSemantics, TabAndShiftTabFollowFormOrderSkippingUnreachableControls) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  Add("c");
  FakeField& d = Add("d");
  host->ShowForm();
  host->SetControlEnabled(b.site, false);
  host->FocusControl(a.site);
  log.clear();
  bool widgetSawTab = false;
  a.txt->OnKeyDown = [&](int16_t&, int16_t&) { widgetSawTab = true; };
  a.txt->OnKeyUp = [&](int16_t&, int16_t&) { widgetSawTab = true; };
  host->Key("Tab");
  EXPECT_FALSE(widgetSawTab);
  EXPECT_EQ(host->FocusName(), "c");
  host->SetControlVisible(d.site, false);
  host->Key("Tab");
  EXPECT_EQ(host->FocusName(), "a");  // wraps round
  host->Key("Shift+Tab");
  EXPECT_EQ(host->FocusName(), "c");
  host->Key("Shift+Tab");
  EXPECT_EQ(host->FocusName(), "a");
  // Ctrl+Tab is the widget's.
  int16_t seenCode = 0, seenShift = 0;
  a.txt->OnKeyDown = [&](int16_t& code, int16_t& shift) { seenCode = code, seenShift = shift; };
  host->Key("Ctrl+Tab");
  EXPECT_EQ(host->FocusName(), "a");
  EXPECT_EQ(seenCode, 9);
  EXPECT_EQ(seenShift, 2);
}

TEST_F(HostSemantics, ControlWithoutFocusableWidgetsTakesTheFocusOnItsSurface) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  b.pic->SetVisible(false);
  host->ShowForm();
  host->FocusControl(a.site);
  log.clear();
  host->Key("Tab");
  EXPECT_EQ(log, (Log{"a.Lost", "a.Exit", "b.Enter", "b.SurfaceGot"}));
  EXPECT_EQ(host->FocusName(), "b");
  EXPECT_EQ(host->FocusedWidget(), nullptr);
}

TEST_F(HostSemantics, InjectedTabRunsAfterTheKeyDeliveryReturns) {
  FakeField& a = Add("a");
  Add("b");
  FakeField& c = Add("c");
  host->ShowForm();
  host->FocusControl(a.site);
  std::string focusInHandler;
  HostServices& services = a.site.Services();
  a.txt->OnKeyPress = [&](int16_t& ascii) {
    if (ascii != 13) return;
    ascii = 0;
    services.KeybdEvent(9, 69, kKeyExtended);
    services.KeybdEvent(9, 69, kKeyExtended | kKeyUp);
    focusInHandler = host->FocusName();
  };
  bool keyUpInA = false;
  a.txt->OnKeyUp = [&](int16_t&, int16_t&) { keyUpInA = true; };
  host->Key("Enter");
  EXPECT_EQ(focusInHandler, "a");
  EXPECT_TRUE(keyUpInA);  // the key up came before the injected Tab
  EXPECT_EQ(host->FocusName(), "b");
  // With Shift held round the injected Tab the focus moves back.
  host->FocusControl(c.site);
  services.KeybdEvent(16, 69, kKeyExtended);
  services.KeybdEvent(9, 69, kKeyExtended);
  services.KeybdEvent(9, 69, kKeyExtended | kKeyUp);
  services.KeybdEvent(16, 69, kKeyExtended | kKeyUp);
  host->ProcessPending();
  EXPECT_EQ(host->FocusName(), "b");
}

TEST_F(HostSemantics, ControlThatPassesTheFocusOnFromEnterFocusIsSkipped) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  Add("c");
  host->ShowForm();
  // Like a control whose Enabled is false: its box is disabled, it presses Tab on entry.
  b.txt->SetEnabled(false);
  SurfaceHandlers h;
  h.OnEnterFocus = [&] {
    log.push_back("b.Enter");
    b.site.Services().KeybdEvent(9, 69, kKeyExtended);
    b.site.Services().KeybdEvent(9, 69, kKeyExtended | kKeyUp);
  };
  h.OnExitFocus = [&] { log.push_back("b.Exit"); };
  b.site.SetSurfaceHandlers(h);
  host->FocusControl(a.site);
  log.clear();
  host->Key("Tab");
  EXPECT_EQ(host->FocusName(), "c");
  EXPECT_EQ(log, (Log{"a.Lost", "a.Exit", "b.Enter", "b.Exit", "c.Enter", "c.Got"}));
}

// Every control pressing Tab on entry would pass the focus round for ever: the host gives up
// after a while instead of hanging.
TEST_F(HostSemantics, FocusPassedRoundForEverStops) {
  for (const char* name : {"a", "b"}) {
    FakeField& f = Add(name);
    SurfaceHandlers h;
    HostServices* services = &f.site.Services();
    h.OnEnterFocus = [services] {
      services->KeybdEvent(9, 69, kKeyExtended);
      services->KeybdEvent(9, 69, kKeyExtended | kKeyUp);
    };
    f.site.SetSurfaceHandlers(h);
  }
  host->ShowForm();
  host->FocusControl(fields[0]->site);
  EXPECT_NE(host->FocusName(), "");
  host->Key("Tab");  // the queue was emptied: a later delivery works as usual
}

TEST_F(HostSemantics, ListBoxNotifiesAClickWhenItsSelectionChanges) {
  FakeField& a = Add("a");
  auto popup = a.site.Services().CreatePopupForm();
  auto list = popup->CreateListBox();
  for (const char* item : {"ant", "bee", "cat"}) list->AddItem(item);
  int clicks = 0;
  list->OnClick = [&] { ++clicks; };
  list->SetListIndex(1);
  list->SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  list->SetListIndex(-1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(list->List(2), "cat");
  EXPECT_EQ(list->List(7), "");
  EXPECT_THROW(list->RemoveItem(3), Error);
  list->SetListIndex(2);
  list->RemoveItem(0);
  EXPECT_EQ(list->ListIndex(), 1);  // the selection stays on "cat"
  EXPECT_EQ(list->ListCount(), 2);
}

// Keys move a list box's selection a line, a page of the lines it shows (four here, a page
// being one less), or to either end, and stop at the ends.
TEST_F(HostSemantics, ListBoxKeysMoveTheSelectionByLinePageAndToTheEnds) {
  FakeField& a = Add("a");
  auto popup = a.site.Services().CreatePopupForm();
  auto list = popup->CreateListBox();
  for (const char* item : {"a", "b", "c", "d", "e", "f"}) list->AddItem(item);
  list->Move(0, 0, 1200, 4 * a.site.TextHeight("0"));
  const std::vector<std::pair<int16_t, int16_t>> steps = {
      {vk::kDown, 0}, {vk::kEnd, 5},  {vk::kDown, 5},  {vk::kHome, 0}, {vk::kUp, 0},
      {vk::kNext, 3}, {vk::kNext, 5}, {vk::kPrior, 2}, {vk::kPrior, 0}};
  for (const auto& [key, index] : steps) {
    NodeOf(list.get())->owner->NativeKeyDown(key, 0);
    EXPECT_EQ(list->ListIndex(), index) << "after key " << key;
  }
}

struct EditCase {
  std::string name;
  std::string text;
  int32_t selStart, selLength;
  int32_t maxLength;
  std::vector<std::string> keys;  // named keys, or "'abc'" for typed text
  std::string expectedText;
  int32_t expectedStart, expectedLength;
};

// What a text box does by itself with keys nobody handled.
inline const EditCase kEditCases[] = {
    {"typing replaces the selection", "abcdef", 1, 3, 0, {"'X'"}, "aXef", 2, 0},
    {"typing stops at MaxLength", "abc", 3, 0, 5, {"'defg'"}, "abcde", 5, 0},
    {"a selection makes room under MaxLength", "abcde", 0, 2, 5, {"'XYZ'"}, "XYcde", 2, 0},
    {"backspace deletes before the caret", "abc", 2, 0, 0, {"Backspace"}, "ac", 1, 0},
    {"backspace at the start does nothing", "abc", 0, 0, 0, {"Backspace"}, "abc", 0, 0},
    {"delete deletes after the caret", "abc", 1, 0, 0, {"Delete"}, "ac", 1, 0},
    {"delete removes the selection", "abcdef", 1, 4, 0, {"Delete"}, "af", 1, 0},
    {"left collapses a selection to its start", "abcdef", 1, 3, 0, {"Left"}, "abcdef", 1, 0},
    {"right collapses a selection to its end", "abcdef", 1, 3, 0, {"Right"}, "abcdef", 4, 0},
    {"home and end", "abcdef", 3, 0, 0, {"Home", "Right", "End", "Left"}, "abcdef", 5, 0},
    {"shift+home selects to the start", "abcdef", 3, 0, 0, {"Shift+Home"}, "abcdef", 0, 3},
    {"shift+right grows, shift+left shrinks",
     "abcdef",
     1,
     0,
     0,
     {"Shift+Right", "Shift+Right", "Shift+Left"},
     "abcdef",
     1,
     1},
    {"shift+end selects to the end", "abcdef", 2, 0, 0, {"Shift+End"}, "abcdef", 2, 4},
    {"enter and escape insert nothing in one line", "ab", 2, 0, 0, {"Enter", "Escape"}, "ab", 2, 0},
    {"cut then paste moves text", "abcdef", 0, 2, 0, {"Ctrl+X", "End", "Ctrl+V"}, "cdefab", 6, 0},
    {"copy leaves the text", "abcdef", 0, 3, 0, {"Ctrl+C", "End", "Ctrl+V"}, "abcdefabc", 9, 0},
    {"paste is cut to MaxLength", "ab", 2, 0, 4, {"Ctrl+C", "Ctrl+V"}, "abWX", 4, 0},
    {"latin-1 characters go in whole", "", 0, 0, 0, {"'\xE7\xE3o'"}, "\xE7\xE3o", 3, 0},
};

TEST_F(HostSemantics, TextBoxEditsKeysNobodyHandled) {
  FakeField& a = Add("a");
  host->ShowForm();
  for (const EditCase& c : kEditCases) {
    host->FocusControl(a.site);
    host->SetClipboardText("WXYZ");
    a.txt->SetMaxLength(c.maxLength);
    a.txt->SetText(c.text);
    a.txt->SetSelStart(c.selStart);
    a.txt->SetSelLength(c.selLength);
    for (const std::string& k : c.keys) {
      if (k.front() == '\'')
        host->Type(k.substr(1, k.size() - 2));
      else
        host->Key(k);
    }
    EXPECT_EQ(a.txt->Text(), c.expectedText) << c.name;
    EXPECT_EQ(a.txt->SelStart(), c.expectedStart) << c.name;
    EXPECT_EQ(a.txt->SelLength(), c.expectedLength) << c.name;
  }
}

TEST_F(HostSemantics, HandlersThatZeroAKeyKeepTheBoxFromActing) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  a.txt->SetText("abc");
  a.txt->SetSelStart(1);
  a.txt->OnKeyPress = [](int16_t& ascii) {
    if (ascii == 'x') ascii = 0;
    if (ascii == 'u') ascii = 'U';
  };
  a.txt->OnKeyDown = [](int16_t& code, int16_t&) {
    if (code == 46) code = 0;
  };
  log.clear();
  host->Type("xu");
  host->Key("Delete");
  EXPECT_EQ(a.txt->Text(), "aUbc");
  EXPECT_EQ(log, Log{"a.Change"});
}

TEST_F(HostSemantics, TypedCharactersGoDownAsTheirKeys) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  std::vector<std::string> seen;
  a.txt->OnKeyDown = [&](int16_t& c, int16_t& s) {
    seen.push_back(std::to_string(c) + "/" + std::to_string(s));
  };
  a.txt->OnKeyPress = [&](int16_t& k) { seen.push_back(std::to_string(k)); };
  a.txt->OnKeyUp = [&](int16_t& c, int16_t&) { seen.push_back("up" + std::to_string(c)); };
  host->Type(".(A");
  EXPECT_EQ(seen, (std::vector<std::string>{"190/0", "46", "up190", "57/1", "40", "up57", "65/1",
                                            "65", "up65"}));
}

TEST_F(HostSemantics, MultiLineBoxTakesEnterAsALineBreak) {
  FakeField& a = Add("a");
  a.txt->SetVisible(false);
  auto memo = a.site.CreateTextBox(a.pic.get(), true);
  memo->Move(30, 30, 2000, 500);
  host->ShowForm();
  host->FocusControl(a.site);
  ASSERT_EQ(host->FocusedWidget(), memo.get());
  host->Type("ab");
  host->Key("Enter");
  host->Type("cd");
  EXPECT_EQ(memo->Text(), "ab\r\ncd");
  EXPECT_EQ(memo->SelStart(), 6);
  host->Key("Up");
  EXPECT_EQ(memo->SelStart(), 2);
  host->Key("Right");
  EXPECT_EQ(memo->SelStart(), 4);  // CR LF is one step
  host->Key("Backspace");
  EXPECT_EQ(memo->Text(), "abcd");
}

TEST_F(HostSemantics, ClickFocusesAndRaisesDownUpClick) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  auto button = b.site.CreateCommandButton(b.pic.get());
  button->Move(2100, 30, 255, 300);
  host->ShowForm();
  host->FocusControl(a.site);
  log.clear();
  button->OnMouseDown = [&](int16_t& bt, int16_t&, float&, float&) {
    log.push_back("down" + std::to_string(bt));
  };
  button->OnMouseUp = [&](int16_t&, int16_t&, float&, float&) { log.push_back("up"); };
  button->OnClick = [&] { log.push_back("click"); };
  host->Click(*button);
  EXPECT_EQ(log, (Log{"a.Lost", "a.Exit", "b.Enter", "down1", "up", "click"}));
  log.clear();
  button->SetEnabled(false);
  host->Click(*button);
  EXPECT_TRUE(log.empty());
  button->SetEnabled(true);
  button->SetValue(true);
  EXPECT_EQ(log, Log{"click"});
}

TEST_F(HostSemantics, SelectPlacesTheSelectionLikeADrag) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  a.txt->SetText("abcdef");
  int downs = 0;
  a.txt->OnMouseDown = [&](int16_t&, int16_t&, float&, float&) { ++downs; };
  host->SelectText(1, 3);
  EXPECT_EQ(a.txt->SelStart(), 1);
  EXPECT_EQ(a.txt->SelLength(), 3);
  EXPECT_EQ(a.txt->SelText(), "bcd");
  EXPECT_EQ(downs, 1);
  host->SelectText(4, 99);
  EXPECT_EQ(a.txt->SelText(), "ef");
}

TEST_F(HostSemantics, ControlArrayElementsAreNamedWithTheirIndex) {
  fields.push_back(std::make_unique<FakeField>(*host, "opt", log, int16_t{1}));
  FakeField& opt1 = *fields.back();
  host->ShowForm();
  EXPECT_EQ(host->FocusName(), "");
  host->FocusControl(opt1.site);
  EXPECT_EQ(host->FocusName(), "opt(1)");
  EXPECT_EQ(opt1.site.Index(), 1);
  FakeField& plain = Add("b");
  try {
    plain.site.Index();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 343);
  }
  EXPECT_THROW(host->CreateSite("b"), Error);
  EXPECT_EQ(host->FindSite("opt", 1), &opt1.site);
  EXPECT_EQ(host->FindSite("opt"), nullptr);
}

TEST_F(HostSemantics, ServicesKeepClipboardBeepsClockAndLocale) {
  HostServices& s = host->Services();
  s.ClipboardSetText("abc");
  EXPECT_EQ(host->ClipboardText(), "abc");
  s.ClipboardClear();
  EXPECT_EQ(s.ClipboardGetText(), "");
  s.Beep();
  s.Beep();
  EXPECT_EQ(host->Beeps(), 2);
  EXPECT_FLOAT_EQ(s.Timer(), 36000.0f);
  host->AdvanceClock(4.5);
  EXPECT_FLOAT_EQ(s.Timer(), 36004.5f);
  EXPECT_EQ(s.TwipsPerPixelX(), 15);
  host->SetLocale(LocaleSettings::EnUS());
  ControlSite& us = host->CreateSite("us");
  host->SetLocale(LocaleSettings::PtBR());
  ControlSite& br = host->CreateSite("br");
  EXPECT_EQ(us.Services().Locale().decimalSeparator, ".");
  EXPECT_EQ(br.Services().Locale().decimalSeparator, ",");
}

TEST_F(HostSemantics, PopupHookSeesPaintThenActivationChanges) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  auto popup = a.site.Services().CreatePopupForm();
  popup->Move(1500, 1500, 2000, 1500);
  auto hook = a.site.CreateMessageHook();
  std::vector<int32_t> messages;
  hook->OnMessage = [&](int32_t msg) { messages.push_back(msg); };
  popup->Show(false);
  hook->SetHwndHook(popup->hWnd());
  hook->SetMessage(kWmPaint, true);
  hook->SetMessage(kWmActivate, true);
  host->ProcessPending();
  EXPECT_EQ(messages, std::vector<int32_t>{kWmPaint});
  Rect r = a.site.Services().GetWindowRect(popup->hWnd());
  EXPECT_EQ(r, (Rect{100, 100, 233, 200}));
  host->ActivateOutside();
  EXPECT_EQ(messages, (std::vector<int32_t>{kWmPaint, kWmActivate}));
  Point p = a.site.Services().GetCursorPos();
  EXPECT_FALSE(p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom);
  hook->SetHwndHook(0);
  popup->Hide();
  EXPECT_FALSE(popup->Visible());
}

TEST_F(HostSemantics, PopupTakesTheKeysWhileItShows) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  log.clear();
  auto popup = a.site.Services().CreatePopupForm();
  auto list = popup->CreateListBox();
  list->Move(0, 0, 1000, 1000);
  list->OnGotFocus = [&] { log.push_back("list.Got"); };
  for (const char* s : {"a", "b", "c"}) list->AddItem(s);
  popup->Show(false);
  // The form keeps its own focus: switching windows raises nothing on it.
  EXPECT_EQ(log, Log{"list.Got"});
  EXPECT_EQ(host->FocusName(), "");
  EXPECT_EQ(host->FocusedWidget(), list.get());
  host->Key("Down");
  host->Key("Down");
  EXPECT_EQ(list->ListIndex(), 1);
  popup->Hide();
  EXPECT_EQ(host->FocusName(), "a");
  host->Type("x");
  EXPECT_EQ(a.txt->Text(), "x");
  EXPECT_EQ(log, (Log{"list.Got", "a.Change"}));
}

TEST_F(HostSemantics, PopupLoadsOnceAndUnloadForgetsItsDrawing) {
  auto popup = host->Services().CreatePopupForm();
  Log events;
  popup->OnLoad = [&] { events.push_back("load"); };
  popup->OnUnload = [&] { events.push_back("unload"); };
  popup->OnResize = [&] { events.push_back("resize"); };
  popup->Move(0, 0, 1500, 1500);
  popup->Show(false);
  popup->Hide();
  popup->Show(false);
  EXPECT_TRUE(popup->Loaded());
  popup->Line(0, 0, 10, 10, 0);
  popup->Unload();
  EXPECT_FALSE(popup->Loaded());
  EXPECT_FALSE(popup->Visible());
  popup->Show(false);
  EXPECT_EQ(events, (Log{"resize", "load", "unload", "load"}));
  // Pixel scale: the form's size and text measure in pixels.
  popup->SetScaleModePixels(true);
  EXPECT_EQ(popup->ScaleWidth(), 100);
  float pixels = popup->TextHeight("0");
  popup->SetScaleModePixels(false);
  EXPECT_EQ(popup->TextHeight("0"), pixels * 15);
}

TEST_F(HostSemantics, ModalPopupDisablesTheFormUntilItHides) {
  FakeField& a = Add("a");
  host->ShowForm();
  HostServices& s = host->Services();
  int32_t form = a.site.ParentHwnd();
  auto popup = s.CreatePopupForm();
  popup->Show(true);
  EXPECT_NE(s.GetWindowLong(form, kGwlStyle) & kWsDisabled, 0);
  popup->Hide();
  EXPECT_EQ(s.GetWindowLong(form, kGwlStyle) & kWsDisabled, 0);
}

// The browse-button case: a click on a form widget while a popup is up activates the form;
// the hook sees the activation change with the pointer already over the widget clicked.
TEST_F(HostSemantics, ClickOnTheFormWhileAPopupShowsDeactivatesIt) {
  FakeField& a = Add("a");
  auto button = a.site.CreateCommandButton(a.pic.get());
  button->Move(2100, 30, 255, 300);
  host->ShowForm();
  host->FocusControl(a.site);
  HostServices& s = a.site.Services();
  auto popup = s.CreatePopupForm();
  popup->Move(1800, 1800, 1500, 1500);
  auto hook = s.CreateMessageHook();
  Log seen;
  hook->OnMessage = [&](int32_t msg) {
    Rect r = s.GetWindowRect(button->hWnd());
    Point p = s.GetCursorPos();
    bool overButton = p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
    seen.push_back(std::to_string(msg) + (overButton ? " over" : " away"));
    if (msg == kWmActivate) {
      hook->SetHwndHook(0);
      popup->Hide();
    }
  };
  button->OnClick = [&] { seen.push_back("click"); };
  popup->Show(false);
  hook->SetHwndHook(popup->hWnd());
  hook->SetMessage(kWmActivate, true);
  host->Click(*button);
  EXPECT_EQ(seen, (Log{"6 over", "click"}));
  EXPECT_FALSE(popup->Visible());
}

TEST_F(HostSemantics, MovingAShownPopupReportsSizeAndPaint) {
  auto popup = host->Services().CreatePopupForm();
  auto hook = host->Services().CreateMessageHook();
  std::vector<int32_t> messages;
  hook->OnMessage = [&](int32_t msg) { messages.push_back(msg); };
  popup->Move(0, 0, 1500, 1500);
  popup->Show(false);
  host->ProcessPending();
  hook->SetHwndHook(popup->hWnd());
  for (int32_t m : {kWmPaint, kWmSize, kWmActivate}) hook->SetMessage(m, true);
  popup->Move(0, 0, 1500, 1500);  // same size: nothing
  host->ProcessPending();
  EXPECT_TRUE(messages.empty());
  popup->Move(0, 0, 3000, 1500);
  host->ProcessPending();
  EXPECT_EQ(messages, (std::vector<int32_t>{kWmSize, kWmPaint}));
  hook->SetMessage(kWmPaint, false);
  popup->Refresh();
  host->ProcessPending();
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(HostSemantics, SiteReportsItsSiblingsAndTogglesFocusRectangles) {
  FakeField& a = Add("a");
  Add("b");
  auto* fake = reinterpret_cast<OrvoMask*>(uintptr_t{0x1000});  // only compared
  host->RegisterControl(a.site, fake);
  std::vector<SiblingControl> siblings = a.site.ParentControls();
  ASSERT_EQ(siblings.size(), 2u);
  EXPECT_EQ(siblings[0].name, "a");
  EXPECT_EQ(siblings[0].control, fake);
  EXPECT_EQ(siblings[1].control, nullptr);
  int resizes = 0;
  SurfaceHandlers h;
  h.OnResize = [&] { ++resizes; };
  a.site.SetSurfaceHandlers(h);
  host->ResizeControl(a.site, 3000, 900);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(a.site.Width(), 3000);
  EXPECT_EQ(a.site.ScaleHeight(), 900);
  a.site.DrawFocusRect({1, 1, 20, 14});
  a.site.DrawFocusRect({1, 1, 20, 14});  // drawn twice: gone again, nothing to assert but no fault
  EXPECT_EQ(host->Services().Now(), 45458.0 + 10.0 / 24.0);  // 2024-06-15 10:00
}

TEST_F(HostSemantics, InjectedKeysOtherThanTabReachTheFocusedWidget) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  Log keys;
  a.txt->OnKeyDown = [&](int16_t& c, int16_t& s) {
    keys.push_back("down " + std::to_string(c) + "/" + std::to_string(s));
  };
  a.txt->OnKeyPress = [&](int16_t& k) { keys.push_back("press " + std::to_string(k)); };
  HostServices& s = a.site.Services();
  s.KeybdEvent(32, 69, kKeyExtended);
  s.KeybdEvent(32, 69, kKeyExtended | kKeyUp);
  EXPECT_TRUE(keys.empty());  // nothing until the host gets round to it
  s.DoEvents();
  EXPECT_EQ(keys, (Log{"down 32/0", "press 32"}));
  EXPECT_EQ(a.txt->Text(), " ");
}

// The control's own surface tries to pass the focus to its box from its GotFocus, ignoring
// the error while the box cannot take it; later the box takes it from the surface.
TEST_F(HostSemantics, FocusPassedOnFromGotFocusRaisesTheRestInOrder) {
  FakeField& a = Add("a");
  host->ShowForm();
  SurfaceHandlers h;
  h.OnEnterFocus = [&] { log.push_back("a.Enter"); };
  h.OnGotFocus = [&] {
    log.push_back("a.SurfaceGot");
    try {
      a.txt->SetFocus();
    } catch (const Error& e) {
      log.push_back("error " + std::to_string(e.Number()));
    }
  };
  h.OnLostFocus = [&] { log.push_back("a.SurfaceLost"); };
  a.site.SetSurfaceHandlers(h);
  a.pic->SetVisible(false);
  host->FocusControl(a.site);  // no box to take it: the surface does
  a.pic->SetVisible(true);
  // Its box cannot take the focus while the picture box is hidden: the surface keeps it.
  EXPECT_EQ(log, (Log{"a.Enter", "a.SurfaceGot", "error 5"}));
  log.clear();
  a.txt->SetFocus();
  EXPECT_EQ(log, (Log{"a.SurfaceLost", "a.Got"}));
}

// A LostFocus handler that sends the focus elsewhere overtakes the move under way: the
// control the user aimed at never gets its GotFocus.
TEST_F(HostSemantics, FocusMovedFromLostFocusOvertakesTheMove) {
  FakeField& a = Add("a");
  FakeField& b = Add("b");
  FakeField& c = Add("c");
  host->ShowForm();
  host->FocusControl(a.site);
  a.txt->OnLostFocus = [&] {
    log.push_back("a.Lost");
    c.txt->SetFocus();
  };
  log.clear();
  host->FocusControl(b.site);
  EXPECT_EQ(host->FocusName(), "c");
  EXPECT_EQ(log, (Log{"a.Lost", "a.Exit", "c.Enter", "c.Got"}));
  (void)b;
}

// A handler that destroys the box the key is in: the rest of the key goes nowhere.
TEST_F(HostSemantics, BoxDestroyedByItsOwnKeyHandlerGetsNoMore) {
  FakeField& a = Add("a");
  host->ShowForm();
  host->FocusControl(a.site);
  a.txt->OnKeyDown = [&](int16_t&, int16_t&) { a.txt.reset(); };
  host->Type("x");
  EXPECT_EQ(a.txt, nullptr);
  EXPECT_EQ(host->FocusName(), "");
  host->Key("Tab");
  EXPECT_EQ(host->FocusName(), "a");  // the picture box is what is left to take it
}

}  // namespace
}  // namespace orvo::testing
