// Focus entering and leaving the control, the notifications of its own surface, and the
// methods that hand the focus back after a popup.
#include "base/error.h"
#include "base/key_codes.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "mask/apply_key.h"

namespace orvo {

namespace {

// Shift+Tab from the field after a disabled one would otherwise be sent forward again and
// never get past it.
// True when the focus came to `self` from the field right after it in the form's order
// (round from the first to the last one), as Shift+Tab brings it.
bool FocusCameBackwards(const OrvoMask* self, const ControlSite& site) {
  if (Process().focusLeftLastHwnd == 0 || Process().focusLeftLastHwnd == site.hWnd()) return false;
  std::vector<SiblingControl> siblings;
  try {
    siblings = site.ParentControls();
  } catch (const Error&) {
    return false;
  }
  for (size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].control != self) continue;
    // The handles the host reports are the controls registered with it.
    const auto* next = static_cast<const OrvoMask*>(siblings[(i + 1) % siblings.size()].control);
    return next && next->hwnd() == Process().focusLeftLastHwnd;
  }
  return false;
}

}  // namespace

void OrvoMask::UserControl_EnterFocus() {
  // A search carried over one focus entry starts with character 255.
  if (!ListBoxSearch.empty() && static_cast<unsigned char>(ListBoxSearch[0]) == 255)
    ListBoxSearch.erase(0, 1);
  else
    ListBoxSearch.clear();
  d_->shp->SetFillColor(d_->m_.ColorOnFocus);
  d_->shp->SetFillStyle(static_cast<int32_t>(d_->m_.FillStyleOnFocus));
  if (!d_->m_.Enabled) {
    if (FocusCameBackwards(this, d_->site_)) {
      HostServices& host = d_->site_.Services();
      host.KeybdEvent(vk::kShift, 0, kKeyExtended);
      PressKey(vk::kTab);
      host.KeybdEvent(vk::kShift, 0, kKeyExtended | kKeyUp);
    } else {
      PressKey(vk::kTab);
    }
  }
}

void OrvoMask::UserControl_ExitFocus() {
  d_->shp->SetFillColor(d_->m_.ColorNoFocus);
  d_->shp->SetFillStyle(static_cast<int32_t>(d_->m_.FillStyleNoFocus));
  Process().focusLeftLastHwnd = d_->site_.hWnd();
}

void OrvoMask::UserControl_GotFocus() {
  Process().gFocusedHwnd = d_->site_.hWnd();
  DrawCaptionFocus();
  TryStep([&] { d_->ActiveBox().SetFocus(); });
}

void OrvoMask::UserControl_LostFocus() {
  DrawCaptionFocus();
}

void OrvoMask::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  d_->Raise([&] { d_->events_->KeyDown(KeyCode, Shift); });
  if (KeyCode == 0) return;
  if (KeyCode == vk::kUp) {
    int16_t key = key::PreviousField;
    KeyCode = ApplyKey(key, KeyCode);
  } else if (KeyCode == vk::kDown) {
    int16_t key = key::NextField;
    KeyCode = ApplyKey(key, KeyCode);
  } else if (Shift == kCtrlMask && KeyCode == vk::kTab) {
    KeyCode = 0;
  }
}

void OrvoMask::UserControl_KeyPress(int16_t& KeyAscii) {
  d_->Raise([&] { d_->events_->KeyPress(KeyAscii); });
  if (KeyAscii == key::Enter) {
    PressKey(vk::kTab);
  } else if (KeyAscii == ' ') {
    if (d_->m_.DataType == TipoDeCampo::Boolean || d_->m_.DataType == TipoDeCampo::Option)
      ToggleValue();
  }
}

void OrvoMask::UserControl_MouseDown(int16_t&, int16_t&, float&, float&) {
  ToggleValue();
}

void OrvoMask::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  d_->Raise([&] { d_->events_->MouseUp(Button, Shift, X, Y); });
}

void OrvoMask::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  d_->Raise([&] { d_->events_->MouseMove(Button, Shift, X, Y); });
  const std::shared_ptr<LifeState> life = d_->life_.Share();
  {
    FrameBarrier barrier(life);
    d_->site_.Services().DoEvents();
  }
  LeaveIfGone(*life);
}

void OrvoMask::VoltaFoco() {
  d_->AsFrame([&] { TryStep([&] { d_->ActiveBox().SetFocus(); }); });
}

void OrvoMask::ExcutaChange() {
  d_->AsFrame([&] {
    // Moving the focus runs the handlers of the field it leaves, which may close this form.
    const std::shared_ptr<LifeState> life = d_->life_.Share();
    TryStep([&] { d_->ActiveBox().SetFocus(); });
    LeaveIfGone(*life);
    d_->Raise([&] { d_->events_->Click(); });
    d_->Raise([&] { d_->events_->Change(); });
  });
}

void OrvoMask::OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) {
  d_->AsFrame([&] { d_->Raise([&] { d_->events_->OpenRecordSet(vgRecordSet, vgSQL); }); });
}

// A simulated press and release of the key; Tab moves the focus once the current
// notification returns.
void OrvoMask::PressKey(int16_t virtualKey) {
  HostServices& host = d_->site_.Services();
  host.KeybdEvent(static_cast<uint8_t>(virtualKey), 69, kKeyExtended);
  host.KeybdEvent(static_cast<uint8_t>(virtualKey), 69, kKeyExtended | kKeyUp);
}

}  // namespace orvo
