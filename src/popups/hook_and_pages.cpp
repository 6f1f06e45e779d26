// The message hook switch, and closing the control's popup pages.
#include "control/orvo_mask.h"
#include "platform/popup_widgets.h"
#include "control/process_state.h"
#include "popups/calend_form.h"

namespace orvo {

void OrvoMask::LigaDesligaHok(int32_t& Liga, bool& GeraEvento) {
  if (Liga < 1) {
    hok->SetHwndHook(0);
    if (GeraEvento) {
      bool status = false;  // a local false, not gDropDownStatus
      events_->DropDown(status);
    }
    return;
  }
  hok->SetHwndHook(Liga);
  hok->SetMessage(kWmPaint, true);
  hok->SetMessage(kWmSize, true);
  hok->SetMessage(kWmActivate, true);
}

orvo::CalendForm& OrvoMask::EnsureCalendForm() {
  if (!calendForm_) {
    calendForm_ = std::make_unique<orvo::CalendForm>(site_.Services());
    m_.CalendForm = calendForm_.get();
  }
  return *calendForm_;
}

void OrvoMask::CloseCalendFormPage() { EnsureCalendForm().Descarrega(*this); }

void OrvoMask::UnloadCalculatorIfLoaded() {
  // The calculator form is built with the popups; until one is loaded there is nothing to
  // unload.
  if (Process().gCalcLoaded) Process().gCalcLoaded = 0;
}

}  // namespace orvo
