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

void OrvoMaskImpl::UserControl_EnterFocus() {
  // A search carried over one focus entry starts with character 255.
  if (!q_.ListBoxSearch.empty() && static_cast<unsigned char>(q_.ListBoxSearch[0]) == 255)
    q_.ListBoxSearch.erase(0, 1);
  else
    q_.ListBoxSearch.clear();
  shp->SetFillColor(m_.ColorOnFocus);
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleOnFocus));
  if (!m_.Enabled) {
    if (FocusCameBackwards(&q_, site_)) {
      HostServices& host = site_.Services();
      host.KeybdEvent(vk::kShift, 0, kKeyExtended);
      PressKey(vk::kTab);
      host.KeybdEvent(vk::kShift, 0, kKeyExtended | kKeyUp);
    } else {
      PressKey(vk::kTab);
    }
  }
}

void OrvoMaskImpl::UserControl_ExitFocus() {
  shp->SetFillColor(m_.ColorNoFocus);
  shp->SetFillStyle(static_cast<int32_t>(m_.FillStyleNoFocus));
  Process().focusLeftLastHwnd = site_.hWnd();
}

void OrvoMaskImpl::UserControl_GotFocus() {
  Process().gFocusedHwnd = site_.hWnd();
  DrawCaptionFocus();
  TryStep([&] { ActiveBox().SetFocus(); });
}

void OrvoMaskImpl::UserControl_LostFocus() {
  DrawCaptionFocus();
}

void OrvoMaskImpl::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
  Raise([&] { events_->KeyDown(KeyCode, Shift); });
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

void OrvoMaskImpl::UserControl_KeyPress(int16_t& KeyAscii) {
  Raise([&] { events_->KeyPress(KeyAscii); });
  if (KeyAscii == key::Enter) {
    PressKey(vk::kTab);
  } else if (KeyAscii == ' ') {
    if (m_.DataType == TipoDeCampo::Boolean || m_.DataType == TipoDeCampo::Option) ToggleValue();
  }
}

void OrvoMaskImpl::UserControl_MouseDown(int16_t&, int16_t&, float&, float&) {
  ToggleValue();
}

void OrvoMaskImpl::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Raise([&] { events_->MouseUp(Button, Shift, X, Y); });
}

void OrvoMaskImpl::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
  Raise([&] { events_->MouseMove(Button, Shift, X, Y); });
  const std::shared_ptr<LifeState> life = life_.Share();
  {
    FrameBarrier barrier(life);
    site_.Services().DoEvents();
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
void OrvoMaskImpl::PressKey(int16_t virtualKey) {
  HostServices& host = site_.Services();
  host.KeybdEvent(static_cast<uint8_t>(virtualKey), 69, kKeyExtended);
  host.KeybdEvent(static_cast<uint8_t>(virtualKey), 69, kKeyExtended | kKeyUp);
}

}  // namespace orvo
