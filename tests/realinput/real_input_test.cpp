// The customer form driven as a user drives it: real clicks, keys and drags through a real X
// server, and after each step the focused field, the texts and the selection the form shows.
//
// Each script starts from a new form, shown and active, with no field focused; the scripts
// that take a window manager run under openbox. Set ORVO_REALINPUT_SHOTS to a folder to get a
// PNG of the screen after each script and at its ShootScreen steps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

#include "popups/calculator.h"
#include "real_input_form.h"
#include "x_session.h"

namespace orvo::realinput {
namespace {

struct Script {
  const char* name;
  std::vector<Step> steps;
  bool windowManager = false;
  std::function<void(RealInputForm&)> setup = {};
};

// A clipboard that holds nothing yet, so the menu's Paste starts disabled.
void EmptyClipboard(RealInputForm&) {
  QGuiApplication::clipboard()->clear();
}

void LockedName(RealInputForm& form) {
  form.Field("txtNome").SetText("Maria");
  form.Field("txtNome").SetLocked(true);
}

Expect PopupOffScreen() {
  Expect e;
  e.popupOnScreen = false;
  return e;
}

const std::vector<Script>& Scripts() {
  static const std::vector<Script> scripts = {
      // Focus that a click gives is where the form's navigation goes on from.
      {"ClickFirstThenTab", {{ClickOn("txtNome"), {"txtNome"}}, {Press("Tab"), {"txtNascimento"}}}},
      {"ClickSecondThenTab",
       {{ClickOn("txtNascimento"), {"txtNascimento"}}, {Press("Tab"), {"txtLimite"}}}},
      {"ClickThirdThenShiftTab",
       {{ClickOn("txtLimite"), {"txtLimite"}}, {Press("shift+Tab"), {"txtNascimento"}}}},
      {"ClickThirdThenEnter",
       {{ClickOn("txtLimite"), {"txtLimite"}}, {Press("Return"), {"txtParcelas"}}}},
      // A click on a Boolean's caption or on its box toggles it once, and so does a double
      // click; the box takes the focus.
      {"ClickBooleanCaptionAndBox",
       {{ClickOn("chkAtivo", Part::Caption), {"", {}, {}, {{"chkAtivo", "True"}}}},
        {ClickOn("chkAtivo", Part::Box), {"chkAtivo", {}, {}, {{"chkAtivo", "False"}}}},
        {DoubleClickOn("chkAtivo", Part::Caption), {"chkAtivo", {}, {}, {{"chkAtivo", "True"}}}}}},
      // Typing, editing keys and a selection made with the mouse.
      {"TypeSelectAndReplace",
       {{ClickOn("txtNome"), {"txtNome"}},
        {TypeText("Maria"), {"txtNome", {{"txtNome", "Maria"}}, std::pair{5, 0}}},
        {Press("Left Left BackSpace"), {"txtNome", {{"txtNome", "Maia"}}, std::pair{2, 0}}},
        {DragOver("txtNome", 0, 3), {"txtNome", {}, std::pair{0, 3}}},
        {TypeText("L"), {"txtNome", {{"txtNome", "La"}}, std::pair{1, 0}}},
        {DoubleClickOn("txtNome"), {"txtNome", {}, std::pair{0, 2}}},
        {Press("Tab"), {"txtNascimento"}},
        {TypeText("15031985"), {"txtNascimento", {{"txtNascimento", "15/03/1985"}}}},
        {Press("Return"), {"txtLimite", {{"txtNome", "La"}}}},
        {TypeText("1500"), {"txtLimite", {{"txtLimite", "1.500"}}}},
        {Press("Tab"), {"txtParcelas", {{"txtLimite", "1.500,00"}}}},
        {TypeText("3"), {"txtParcelas", {{"txtParcelas", "3"}}}},
        {Press("Up"), {"txtLimite"}},
        {Press("Down"), {"txtParcelas"}},
        {Press("Tab"), {"chkAtivo"}},
        {Press("space"), {"chkAtivo", {}, {}, {{"chkAtivo", "True"}}}},
        {Press("Tab"), {"txtNome"}}}},
      // The popups: the calendar by a click on the button, the next month and a day picked
      // with clicks; the
      // calculator by F4, worked with the keypad and its own keys, accepted with Enter; an
      // open popup closed by a click on another application's window.
      {"CalendarPickADay",
       {{ClickOn("txtNascimento"), {"txtNascimento"}},
        {TypeText("15031985"), {"txtNascimento", {{"txtNascimento", "15/03/1985"}}}},
        {ClickOn("txtNascimento", Part::Button), PopupExpect(true)},
        {ClickNextMonth("txtNascimento"), PopupExpect(true)},
        {ClickDay("txtNascimento", 20), PopupExpect(false, {{"txtNascimento", "20/04/1985"}})}}},
      {"CalculatorByF4AndKeys",
       {{ClickOn("txtLimite"), {"txtLimite"}},
        {Press("F4"), PopupExpect(true, {}, "0,00")},
        {Press("KP_2 KP_Add KP_3"), PopupExpect(true, {}, "3,00")},
        {ClickCalcKey(calc::kMultiply), PopupExpect(true, {}, "5,00")},
        {Press("KP_4"), PopupExpect(true, {}, "4,00")},
        {ClickCalcKey(calc::kEquals), PopupExpect(true, {}, "20,00")},
        {Press("Return"), PopupExpect(false, {{"txtLimite", "20,00"}})}}},
      {"PopupClosesOnAnotherWindow",
       {{ClickOn("txtNascimento", Part::Button), PopupExpect(true)},
        {ClickOtherWindow(), PopupExpect(false)},
        {ClickOn("txtLimite", Part::Button), PopupExpect(true)},
        {ClickOtherWindow(), PopupExpect(false)}}},
      // The edit box's context menu offers what the field honours, and its items take the
      // paths of their keys: a cut name pasted into the credit limit passes through its mask.
      {"ContextMenuGoesThroughTheKeys",
       {{ClickOn("txtNome"), {"txtNome"}},
        {TypeText("abc"), {"txtNome", {{"txtNome", "abc"}}}},
        {RightClickOn("txtNome"), MenuExpect("Select All")},
        {ChooseMenuItem("Select All"), {"txtNome", {}, std::pair{0, 3}}},
        {RightClickOn("txtNome"), MenuExpect("Cut, Copy, Delete, Select All")},
        {ChooseMenuItem("Cut"), {"txtNome", {{"txtNome", ""}}}},
        {ClickOn("txtLimite"), {"txtLimite"}},
        {TypeText("15"), {"txtLimite", {{"txtLimite", "15"}}}},
        {RightClickOn("txtLimite"), MenuExpect("Paste, Select All")},
        {ChooseMenuItem("Paste"), {"txtLimite", {{"txtLimite", "15"}}}},
        {Press("Tab"), {"txtParcelas", {{"txtLimite", "15,00"}}}},
        {RightClickOn("txtNascimento"), MenuExpect("Paste")},
        {ChooseMenuItem("Paste"), {"txtNascimento", {{"txtNascimento", ""}}}},
        {RightClickOn("txtLimite"), MenuExpect("Cut, Copy, Paste, Delete, Select All")},
        {ChooseMenuItem("Delete"), {"txtLimite", {{"txtLimite", ""}}}}},
       false,
       EmptyClipboard},
      // A Locked field swallows the keys of every edit: its menu only selects.
      {"LockedFieldMenuOnlySelects",
       {{RightClickOn("txtNome"), MenuExpect("Select All")},
        {ChooseMenuItem("Select All"), {"txtNome", {}, std::pair{0, 5}}},
        {RightClickOn("txtNome"), MenuExpect("Select All")},
        {Press("Escape"), {"txtNome", {{"txtNome", "Maria"}}}}},
       false,
       LockedName},
      // However a popup's window closes, its control knows: the next click opens it again.
      {"PopupClosedByTheWindowManager",
       {{ClickOn("txtNascimento", Part::Button), PopupExpect(true)},
        {Press("alt+F4"), PopupExpect(false)},
        {ClickOn("txtNascimento", Part::Button), PopupExpect(true)},
        {Press("Escape"), PopupExpect(false)}},
       true},
      // A popup is its form's: minimised with it; closed when the form moves away from it.
      {"PopupMinimisedWithItsForm",
       {{ClickOn("txtNascimento", Part::Button), ScreenExpect(true, true)},
        {OnFormWindow("windowminimize"), PopupOffScreen()},
        {OnFormWindow("windowactivate"), ScreenExpect(false, false)}},
       true},
      {"PopupClosesWhenTheFormMoves",
       {{ClickOn("txtLimite", Part::Button), ScreenExpect(true, true)},
        {OnFormWindow("windowmove", 60, 120), ScreenExpect(false, false)},
        {ClickOn("txtNascimento", Part::Button), ScreenExpect(true, true)},
        {OnFormWindow("windowmove", 40, 40), ScreenExpect(false, false)}}},
      // Quick clicks on a month arrow make double clicks: each click turns a month.
      {"CalendarArrowTakesEveryClick",
       {{ClickOn("txtNascimento"), {"txtNascimento"}},
        {TypeText("15031985"), {"txtNascimento", {{"txtNascimento", "15/03/1985"}}}},
        {ClickOn("txtNascimento", Part::Button), CalendarExpect("3/1985")},
        {ClickPreviousMonth("txtNascimento", 6), CalendarExpect("9/1984")}}},
      // A notch of the wheel over the spinner is one click on an arrow.
      {"WheelStepsTheSpinnerByOne",
       {{ClickOn("txtParcelas"), {"txtParcelas"}},
        {TypeText("5"), {"txtParcelas", {{"txtParcelas", "5"}}}},
        {WheelOver("txtParcelas", -1), {"txtParcelas", {{"txtParcelas", "6"}}}},
        {WheelOver("txtParcelas", 2), {"txtParcelas", {{"txtParcelas", "4"}}}}}},
      // The popups as the X server draws them, for a look at their faces.
      {"PopupsAsDrawn",
       {{ClickOn("txtNascimento"), {"txtNascimento"}},
        {TypeText("15031985"), {"txtNascimento", {{"txtNascimento", "15/03/1985"}}}},
        {ClickOn("txtNascimento", Part::Button), PopupExpect(true)},
        {ShootScreen("calendar"), PopupExpect(true)},
        {Press("Escape"), PopupExpect(false)},
        {ClickOn("txtLimite"), {"txtLimite"}},
        {Press("F4"), PopupExpect(true, {}, "0,00")},
        {ShootScreen("calculator"), PopupExpect(true)},
        {Press("Escape"), PopupExpect(false)}}},
  };
  return scripts;
}

class RealInput : public testing::TestWithParam<Script> {};

TEST_P(RealInput, FormFollowsTheUser) {
  std::optional<WindowManager> wm;
  if (GetParam().windowManager) {
    wm.emplace();
    ASSERT_TRUE(wm->Started()) << wm->Error();
  }
  RealInputForm form;
  if (GetParam().setup) GetParam().setup(form);
  const std::vector<Step>& steps = GetParam().steps;
  for (size_t i = 0; i < steps.size(); ++i) ASSERT_EQ(form.Run(steps[i]), "") << "step " << i + 1;
  if (const char* shots = std::getenv("ORVO_REALINPUT_SHOTS"))
    form.SaveScreen(std::string(shots) + "/" + GetParam().name + ".png");
}

INSTANTIATE_TEST_SUITE_P(CustomerForm, RealInput, testing::ValuesIn(Scripts()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvo::realinput

// The X server comes first: Qt connects to it once, when the application starts. A suite
// that cannot start its server fails rather than passes unseen.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  orvo::realinput::XSession x;
  if (!x.Started()) {
    std::fprintf(stderr, "real-input suite: %s\n", x.Error().c_str());
    return 1;
  }
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
