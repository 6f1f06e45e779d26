// The caption and the check/option box: visibility, focus rectangle, toggling, and the mouse
// and key notifications of the label, picture box and image.
#include "appearance/caption.h"
#include "base/error.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"

namespace orvo {

void OrvoMaskImpl::UpdateCaptionVisibility() {
  const bool hasCaption = !lab->Caption().empty();
  lab->SetVisible(hasCaption);
  shp->SetVisible(hasCaption && CaptionFillVisible(m_.FillStyleOnFocus, m_.FillStyleNoFocus));
}

// Inverts the dotted outline around the caption; drawn on focus, drawn again (erased) when
// the focus leaves.
void OrvoMaskImpl::DrawCaptionFocus() {
  if (Process().gFocusedHwnd != site_.hWnd() || !m_.UserMode || !m_.Enabled) return;
  if (m_.DataType != TipoDeCampo::Boolean && m_.DataType != TipoDeCampo::Option) return;
  const Placement caption{lab->Left(), lab->Top(), lab->Width(), lab->Height()};
  site_.DrawFocusRect(CaptionFocusRect(caption, site_.Services().TwipsPerPixelX(),
                                       site_.Services().TwipsPerPixelY()));
}

void OrvoMaskImpl::ToggleValue() {
  if (txt[0]->Locked() || !m_.Enabled || q_.WhatsThisHelpID() == -1) return;
  if (m_.DataType == TipoDeCampo::Boolean) {
    q_.SetValue(Variant(m_.CheckValue == 0));
  } else if (m_.DataType == TipoDeCampo::Option) {
    int16_t index;
    try {
      index = site_.Index();
    } catch (const Error&) {
      return;  // not in a control array: the value stays
    }
    q_.SetValue(Variant(index));
  }
}

void OrvoMaskImpl::img_Click() {
  ToggleValue();
}
void OrvoMaskImpl::lab_Click() {
  ToggleValue();
}
void OrvoMaskImpl::pic_Click() {
  ToggleValue();
}

void OrvoMaskImpl::pic_GotFocus() {
  Process().gFocusedHwnd = site_.hWnd();
  DrawCaptionFocus();
}

void OrvoMaskImpl::pic_LostFocus() {
  DrawCaptionFocus();
}

void OrvoMaskImpl::pic_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  UserControl_KeyDown(KeyCode, Shift);
}

void OrvoMaskImpl::pic_KeyPress(int16_t& KeyAscii) {
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
