// ProcessState: the state shared by every control of the process, kept in one place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "popups/calc_form.h"

namespace orvo {

class OrvoMask;
class PopupForm;

struct ProcessState {
  // The control that owns the open popup. A control clears it when it is destroyed, so it
  // never dangles whatever the order of destruction.
  OrvoMask* gActiveControl = nullptr;
  int16_t gDropDownStatus = 0;
  std::string gDecimalSeparator = ",";
  std::string gGroupSeparator = ".";
  // Two no-break spaces, "-", two no-break spaces: between the columns of a list row.
  std::string gColumnSeparator = "\xA0\xA0-\xA0\xA0";
  int16_t gOptionBusy = 0;
  int32_t gFocusedHwnd = 0;
  int16_t gCalcLoaded = 0;
  // The calculator form the controls share; made by the first control that drops it down.
  std::unique_ptr<CalcForm> calcForm;
  // Not of the classic set: the window of the field the focus last left, so that a
  // disabled field passes the focus on in the direction it came. A window handle rather
  // than the control, so that nothing refers to a field that is gone.
  int32_t focusLeftLastHwnd = 0;
};

ProcessState& Process();

// The column separator as every control sets it when it starts.
inline const char* kColumnSeparator = "\xA0\xA0-\xA0\xA0";

}  // namespace orvo
