// The lookup grid's columns, one per name in the control's ListFields.
#pragma once

namespace orvo {

class CalendForm;
class OrvoMask;

// Builds the grid's columns for `c`'s ListFields, each as wide as its field's kind and size
// ask; `ok` becomes true on success. Raises when the host offers no grid.
void EncheLstRs(CalendForm& form, OrvoMask& c, bool& ok);

}  // namespace orvo
