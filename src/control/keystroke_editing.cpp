// Keys typed into the edit boxes: the read-only filter, navigation, and the mask engine.
#include "base/error.h"
#include "base/key_codes.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "mask/apply_key.h"

namespace orvo {

namespace {

// Keys a read-only field still lets through: Enter and the page, end, home and arrow keys
// (and F4 going down).
bool PassesReadOnly(int16_t key, bool allowF4) {
  return key == vk::kReturn || (key >= vk::kPrior && key <= vk::kDown) ||
         (allowF4 && key == vk::kF4);
}

}  // namespace

void OrvoMaskImpl::txt_KeyDown(int16_t, int16_t& KeyCode, int16_t& Shift) {
  if (ReadOnly() && !PassesReadOnly(KeyCode, true)) {
    KeyCode = 0;
    return;
  }
  Raise([&] { events_->KeyDown(KeyCode, Shift); });
  if (KeyCode == 0) return;
  if (m_.Enabled && !txt[0]->Locked() && !m_.ListFields.empty()) {
    ListKeyDown(KeyCode);
    return;
  }
  switch (KeyCode) {
    case vk::kF4:
      if (static_cast<int32_t>(m_.BrowseVisible) > 0) bot->SetValue(true);
      break;
    case vk::kDelete: {
      int16_t key = key::Delete;
      KeyCode = ApplyKey(key, KeyCode);
      break;
    }
    case vk::kUp: {
      int16_t key = key::PreviousField;
      KeyCode = ApplyKey(key, KeyCode);
      break;
    }
    case vk::kDown: {
      int16_t key = key::NextField;
      KeyCode = ApplyKey(key, KeyCode);
      break;
    }
    case vk::kTab:
      if (Shift == kCtrlMask) KeyCode = 0;  // Ctrl+Tab does nothing
      break;
    default:
      break;
  }
}

void OrvoMaskImpl::txt_KeyPress(int16_t Index, int16_t& KeyAscii) {
  q_.ProcuraLetra(Index, KeyAscii);
}

// The keystroke entry point. Index -11 is the lookup grid's internal call: the field's own
// box is used, no KeyPress is raised and the key serves only the list search.
void OrvoMask::ProcuraLetra(int16_t& Index, int16_t& KeyAscii) {
  d_->AsFrame([&] {
    bool internal = false;
    if (Index == -11) {
      Index = d_->m_.ActiveTextIndex;
      internal = true;
    }
    if (d_->ReadOnly() && !PassesReadOnly(KeyAscii, false)) {
      KeyAscii = 0;
      return;
    }
    if (!internal) d_->Raise([&] { d_->events_->KeyPress(KeyAscii); });
    if (KeyAscii == 0) return;
    if (!d_->m_.ListFields.empty()) {
      d_->ListKeyPress(internal, KeyAscii);
      return;
    }
    if (!internal) KeyAscii = d_->ApplyKey(KeyAscii, KeyAscii);
  });
}

// One key through the mask engine; the control carries out what it decides.
int16_t OrvoMaskImpl::ApplyKey(int16_t& key, int16_t& passThrough) {
  HostServices& host = site_.Services();
  TextBox& box = ActiveBox();
  const ProcessState& ps = Process();
  const EditState state{box.Text(), box.SelStart(), box.SelLength(), box.MaxLength()};
  MaskEnv env{m_.compiled};
  env.kind = m_.DataType;
  env.decimalSeparator = ps.gDecimalSeparator;
  env.groupSeparator = ps.gGroupSeparator;
  env.multiLineBox = m_.ActiveTextIndex == 2;
  env.readOnly = box.Locked() || q_.WhatsThisHelpID() == -1;
  env.enabled = m_.Enabled != 0;
  // Copy and cut with nothing selected leave the clipboard and the text alone: emptying the
  // clipboard would lose what the user put there, and the cut would go on as a delete and
  // remove the character at the caret.
  if ((key == key::Copy || key == key::Cut) && state.selLength == 0) return 0;
  const std::string clipboard = key == key::Paste ? host.ClipboardGetText() : std::string();

  KeyOutcome out = orvo::ApplyKey(env, state, key, passThrough, clipboard);

  if (out.maskTemplate) m_.compiled.MaskTemplate = *out.maskTemplate;
  if (out.clipboardText) {
    host.ClipboardClear();
    host.ClipboardSetText(*out.clipboardText);
  }
  if (out.textWritten) {
    box.SetText(out.state.text);
    box.SetSelStart(out.state.selStart);
  }
  if (out.beep) host.Beep();
  if (out.focus == FocusMove::Next) {
    PressKey(vk::kTab);
  } else if (out.focus == FocusMove::Previous) {
    host.KeybdEvent(vk::kShift, 0, kKeyExtended);
    PressKey(vk::kTab);
    host.KeybdEvent(vk::kShift, 0, kKeyExtended | kKeyUp);
  }
  // The multi-line box edits the keys it is handed back by itself. A box that is locked
  // refuses them on its own, but a field made read-only by WhatsThisHelpID -1 or disabled
  // must not: Enter and the characters "!" to "(" pass the read-only filter and would be
  // inserted. Up and Down still move the caret.
  if (env.multiLineBox && (env.readOnly || !env.enabled) && key != key::NextField &&
      key != key::PreviousField)
    return 0;
  return out.passOn;
}

}  // namespace orvo
