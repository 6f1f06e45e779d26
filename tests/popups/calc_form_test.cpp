// The calculator form in the headless host: keys by click and by keyboard, and closing into
// the field that opened it.
#include "popups/calc_form.h"

#include <gtest/gtest.h>

#include "base/key_codes.h"
#include "host/headless/headless_host.h"
#include "recording_owner.h"

namespace orvo {
namespace {

struct CalcFormTest : testing::Test {
  HeadlessHost host;
  RecordingOwner owner;
  CalcForm form{host.Services(), LocaleSettings::PtBR()};
  void Open(const std::string& start) {
    form.IniciaCalc(owner, start, LocaleSettings::PtBR());
    form.Form().Show(false);
  }
};

TEST_F(CalcFormTest, ClickedKeysComputeAndAcceptWritesTheField) {
  Open("12,5|####0.00");
  EXPECT_EQ(form.DisplayText(), "12,50");
  for (int16_t key : {calc::kAdd, int16_t(calc::kDigit0 + 2), calc::kEquals})
    host.Click(form.Button(key));
  EXPECT_EQ(form.DisplayText(), "14,50");
  EXPECT_FALSE(form.Button(calc::kMemoryRecall).Enabled());
  host.Click(form.Button(calc::kAccept));
  EXPECT_EQ(owner.log, "hook(0) focus closed text ");
  EXPECT_EQ(owner.text, "14,50");
  EXPECT_FALSE(form.Form().Visible());
}

TEST_F(CalcFormTest, KeyboardReachesTheCalculatorWhicheverKeyHasTheFocus) {
  Open("0|####0.00");
  host.Click(form.Button(calc::kDigit0 + 3));  // the focus is now on a key
  host.SendKey({vk::kMultiply, 0, 0});
  host.SendKey({vk::kNumpad0 + 4, 0, 0});
  host.SendKey({vk::kOemPlus, 0, 0});
  EXPECT_EQ(form.DisplayText(), "12,00");
  host.SendKey({vk::kEscape, 0, 27});
  EXPECT_EQ(owner.log, "hook(0) focus closed ");
  EXPECT_EQ(owner.text, "");  // the field keeps its text
}

TEST_F(CalcFormTest, AnOwnerThatGoesAwayIsForgotten) {
  Open("1|####0.00");
  form.ForgetOwner(owner);
  EXPECT_FALSE(form.Form().Visible());
  host.Click(form.Button(calc::kAccept));  // nothing is left to write to
  EXPECT_EQ(owner.log, "");
}

}  // namespace
}  // namespace orvo
