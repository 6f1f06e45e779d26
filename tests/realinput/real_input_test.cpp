// The customer form driven as a user drives it: real clicks, keys and drags through a real X
// server, and after each step the focused field, the texts and the selection the form shows.
//
// Each script starts from a new form, shown and active, with no field focused. Set
// ORVO_REALINPUT_SHOTS to a folder to get a PNG of the screen after each script.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "popups/calculator.h"
#include "real_input_form.h"
#include "x_session.h"

namespace orvo::realinput {
namespace {

struct Script {
  const char* name;
  std::vector<Step> steps;
};

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
  };
  return scripts;
}

class RealInput : public testing::TestWithParam<Script> {};

TEST_P(RealInput, FormFollowsTheUser) {
  RealInputForm form;
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
