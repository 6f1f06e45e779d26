// Keys typed into the edit boxes: the read-only filter, navigation, and the mask engine.
#include "control/orvo_mask.h"

namespace orvo {

void OrvoMask::txt_KeyDown(int16_t, int16_t& KeyCode, int16_t&) {
  (void)KeyCode;
  NotAvailableYet("keystroke editing");
}

void OrvoMask::txt_KeyPress(int16_t Index, int16_t& KeyAscii) { ProcuraLetra(Index, KeyAscii); }

void OrvoMask::ProcuraLetra(int16_t&, int16_t&) { NotAvailableYet("ProcuraLetra"); }

int16_t OrvoMask::ApplyKey(int16_t&, int16_t&) { NotAvailableYet("ApplyKey"); }

}  // namespace orvo
