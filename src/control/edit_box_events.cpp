// The edit boxes' own notifications: change, click, key up, mouse, and focus formatting.
#include <algorithm>

#include "base/error.h"
#include "control/conversions16.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "mask/format_text.h"

namespace orvo {

// The spinner follows the number in the text. A number outside the bars' range leaves them
// where they are, as the classic bars refused it, rather than holding it at an end: typing
// 25 into a field with Min 10 passes through 2 on the way. A number above Max puts the
// bars' value back into the text.
//
// The bars are moved with their change handling held off. That handling writes the bars'
// number back into the field and gives it the focus, which is right after a click on a
// bar, but here the number came from the field: written back in the middle of a key it
// would turn a typed "-" into "0" and "1" into "1,00", and a text assigned by the
// application would take the focus from the field the user is in. The text is formatted
// when the field is left, as in any numeric field.
void OrvoMaskImpl::txt_Change(int16_t Index) {
  if (m_.SuppressChange) return;
  if (m_.DataType == TipoDeCampo::Spinner && m_.UserMode) {
    const std::string text = txt[Index]->Text();
    const double number = ParseNumber(text, Process().gDecimalSeparator);
    const int16_t low = std::min(scrH->Min(), scrH->Max());
    const int16_t high = std::max(scrH->Min(), scrH->Max());
    bool failed = false;
    m_.SuppressChange = -1;
    try {
      const double wanted = RoundHalfEven(number);
      if (!(wanted >= low && wanted <= high))
        RaiseError(err::kInvalidPropertyValue, "Invalid property value");
      scrH->SetValue(static_cast<int16_t>(wanted));
    } catch (const Error&) {
      failed = true;
    }
    try {
      scrV->SetValue(scrH->Value());
    } catch (const Error&) {
    }
    m_.SuppressChange = 0;

    if (failed && number > high) txt[Index]->SetText(std::to_string(scrH->Value()));
  }
  if (Index == m_.ActiveTextIndex) Raise([&] { events_->Change(); });
  RaiseChangeReport("Value");
}

void OrvoMaskImpl::txt_Click(int16_t) {
  Raise([&] { events_->Click(); });
}

void OrvoMaskImpl::txt_KeyUp(int16_t, int16_t& KeyCode, int16_t& Shift) {
  Raise([&] { events_->KeyUp(KeyCode, Shift); });
}

// Mouse positions reach the application relative to the control: the box sits inside pic.
void OrvoMaskImpl::txt_MouseDown(int16_t Index, int16_t& Button, int16_t& Shift, float& X,
                                 float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  Raise([&] { events_->MouseDown(Button, Shift, x, y); });
}

void OrvoMaskImpl::txt_MouseMove(int16_t Index, int16_t& Button, int16_t& Shift, float& X,
                                 float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  Raise([&] { events_->MouseMove(Button, Shift, x, y); });
}

void OrvoMaskImpl::txt_MouseUp(int16_t Index, int16_t& Button, int16_t& Shift, float& X, float& Y) {
  float x = X + pic->Left() + txt[Index]->Left(), y = Y + pic->Top() + txt[Index]->Top();
  Raise([&] { events_->MouseUp(Button, Shift, x, y); });
}

void OrvoMaskImpl::txt_GotFocus(int16_t Index) {
  if (Index != 2 && m_.SelectOnFocus) {
    TextBox& box = *txt[Index];
    box.SetSelStart(0);
    box.SetSelLength(static_cast<int32_t>(box.Text().size()));
  }
}

// This is where typed text receives its fill characters, full decimals and grouping.
void OrvoMaskImpl::txt_LostFocus(int16_t Index) {
  if (m_.UserMode && m_.FormatLostFocus) {
    std::string text = txt[Index]->Text();
    txt[Index]->SetText(q_.FormatText(text));
  }
}

}  // namespace orvo
