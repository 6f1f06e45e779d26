// The caption and the check/option box: visibility, focus rectangle, toggling, and the mouse
// and key notifications of the label, picture box and image.
#include "appearance/caption.h"
#include "base/error.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"

namespace orvo {

void OrvoMask::UpdateCaptionVisibility() {
  const bool hasCaption = !d_->lab->Caption().empty();
  d_->lab->SetVisible(hasCaption);
  d_->shp->SetVisible(hasCaption &&
                      CaptionFillVisible(d_->m_.FillStyleOnFocus, d_->m_.FillStyleNoFocus));
}

// Inverts the dotted outline around the caption; drawn on focus, drawn again (erased) when
// the focus leaves.
void OrvoMask::DrawCaptionFocus() {
  if (Process().gFocusedHwnd != d_->site_.hWnd() || !d_->m_.UserMode || !d_->m_.Enabled) return;
  if (d_->m_.DataType != TipoDeCampo::Boolean && d_->m_.DataType != TipoDeCampo::Option) return;
  const Placement caption{d_->lab->Left(), d_->lab->Top(), d_->lab->Width(), d_->lab->Height()};
  d_->site_.DrawFocusRect(CaptionFocusRect(caption, d_->site_.Services().TwipsPerPixelX(),
                                           d_->site_.Services().TwipsPerPixelY()));
}

void OrvoMask::ToggleValue() {
  if (d_->txt[0]->Locked() || !d_->m_.Enabled || WhatsThisHelpID() == -1) return;
  if (d_->m_.DataType == TipoDeCampo::Boolean) {
    SetValue(Variant(d_->m_.CheckValue == 0));
  } else if (d_->m_.DataType == TipoDeCampo::Option) {
    int16_t index;
    try {
      index = d_->site_.Index();
    } catch (const Error&) {
      return;  // not in a control array: the value stays
    }
    SetValue(Variant(index));
  }
}

void OrvoMask::img_Click() {
  ToggleValue();
}
void OrvoMask::lab_Click() {
  ToggleValue();
}
void OrvoMask::pic_Click() {
  ToggleValue();
}

void OrvoMask::pic_GotFocus() {
  Process().gFocusedHwnd = d_->site_.hWnd();
  DrawCaptionFocus();
}

void OrvoMask::pic_LostFocus() {
  DrawCaptionFocus();
}

void OrvoMask::pic_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  UserControl_KeyDown(KeyCode, Shift);
}

void OrvoMask::pic_KeyPress(int16_t& KeyAscii) {
  UserControl_KeyPress(KeyAscii);
}

// Coordinates relative to the widget become the container's units; what a handler does
// to the arguments is not used.
void OrvoMaskImpl::ForwardMouse(Widget& w, int which, int16_t& Button, int16_t& Shift, float& X,
                                float& Y) {
  int16_t b = Button, s = Shift;
  float x = site_.ScaleXToContainer(X + w.Left());
  float y = site_.ScaleYToContainer(Y + w.Top());
  switch (which) {
    case 0:
      Raise([&] { events_->MouseDown(b, s, x, y); });
      break;
    case 1:
      Raise([&] { events_->MouseMove(b, s, x, y); });
      break;
    default:
      Raise([&] { events_->MouseUp(b, s, x, y); });
      break;
  }
}

}  // namespace orvo
