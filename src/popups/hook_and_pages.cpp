// The message hook switch, and closing the control's popup pages.
#include "control/orvo_mask.h"
#include "control/popup_widgets.h"
#include "control/process_state.h"

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

// Closes the page without a choice: the hook goes off (raising DropDown false when the form
// was shown), and a shown form gives the parent its style back and hides.
void OrvoMask::CloseCalendFormPage() {
  const bool shown = calendFormObject_ && calendFormObject_->Visible();
  int32_t liga = 0;
  bool geraEvento = shown;
  LigaDesligaHok(liga, geraEvento);
  if (shown) {
    site_.Services().SetWindowLong(WndForm, kGwlStyle, EstiloForm);
    ListBoxSearch.clear();
    calendFormObject_->Hide();
  }
}

void OrvoMask::UnloadCalculatorIfLoaded() {
  // The calculator form is built with the popups; until one is loaded there is nothing to
  // unload.
  if (Process().gCalcLoaded) Process().gCalcLoaded = 0;
}

}  // namespace orvo
