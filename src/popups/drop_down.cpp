// The browse button's click and showing a popup beside the control.
#include "control/orvo_mask.h"

namespace orvo {

void OrvoMask::bot_Click() { NotAvailableYet("the browse button's popups"); }

void OrvoMask::ShowPopup(PopupForm&) { NotAvailableYet("ShowPopup"); }

}  // namespace orvo
