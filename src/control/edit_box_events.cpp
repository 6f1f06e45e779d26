// The edit boxes' own notifications: change, click, key up, mouse, and focus formatting.
#include "base/error.h"
#include "control/conversions16.h"
#include "control/orvo_mask.h"
#include "control/process_state.h"
#include "mask/format_text.h"

namespace orvo {

void OrvoMask::txt_Change(int16_t Index) {
  if (m_.SuppressChange) return;
  if (m_.DataType == TipoDeCampo::Spinner && m_.UserMode) {
    // The spinner follows the typed number; a number the bars refuse is ignored, but one
    // above Max puts the bars' value back into the text.
    const std::string text = txt[Index]->Text();
    const double number = ParseNumber(text, Process().gDecimalSeparator);
    bool failed = false;
    try {
      double r = RoundHalfEven(number);
      if (!(r >= -32768 && r <= 32767)) RaiseError(err::kOverflow, "Overflow");
      scrH->SetValue(static_cast<int16_t>(r));
    } catch (const Error&) {
      failed = true;
    }
    if (failed && number > scrH->Max()) txt[Index]->SetText(std::to_string(scrH->Value()));
    scrV->SetValue(scrH->Value());
  }
  if (Index == m_.ActiveTextIndex) events_->Change();
  RaiseChangeReport("Value");
}

void OrvoMask::txt_Click(int16_t) { events_->Click(); }

void OrvoMask::txt_KeyUp(int16_t, int16_t& KeyCode, int16_t& Shift) {
  events_->KeyUp(KeyCode, Shift);
}

// Mouse positions reach the application relative to the control: the box sits inside pic.
void OrvoMask::txt_MouseDown(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  events_->MouseDown(Button, Shift, x, y);
}

void OrvoMask::txt_MouseMove(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  events_->MouseMove(Button, Shift, x, y);
}

void OrvoMask::txt_MouseUp(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  events_->MouseUp(Button, Shift, x, y);
}

void OrvoMask::txt_GotFocus(int16_t Index) {
  if (Index != 2 && m_.SelectOnFocus) {
    TextBox& box = *txt[Index];
    box.SetSelStart(0);
    box.SetSelLength(static_cast<int32_t>(box.Text().size()));
  }
}

// This is where typed text receives its fill characters, full decimals and grouping.
void OrvoMask::txt_LostFocus(int16_t Index) {
  if (m_.UserMode && m_.FormatLostFocus) {
    std::string text = txt[Index]->Text();
    txt[Index]->SetText(FormatText(text));
  }
}

}  // namespace orvo
