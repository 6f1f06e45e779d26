// The spinner bars' change notifications: the bar's position becomes the field's number.
#include "base/error.h"
#include "control/orvo_mask_impl.h"

namespace orvo {

void OrvoMaskImpl::scrH_Change() {
  SpinnerBarChanged(*scrH, *scrV);
}
void OrvoMaskImpl::scrV_Change() {
  SpinnerBarChanged(*scrV, *scrH);
}

// The other bar's notification runs the same steps; its value is already equal, so it
// changes nothing more.
void OrvoMaskImpl::SpinnerBarChanged(ScrollBar& moved, ScrollBar& other) {
  if (txt[0]->Locked() || m_.SuppressChange || q_.WhatsThisHelpID() == -1) return;
  try {
    other.SetValue(moved.Value());
    if (m_.UserMode) {
      std::string number = std::to_string(moved.Value());
      ActiveBox().SetText(q_.FormatText(number));
      if (!m_.SuppressChange) ActiveBox().SetFocus();
    }
  } catch (const Error&) {
    // A focus or text assignment that fails leaves the field as it was.
  }
}

}  // namespace orvo
