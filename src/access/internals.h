// The control's internals that tools and tests read or drive: its private members by name,
// the list preparation of its drop-down, its popup form and the popups of the process.
// Applications see none of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "orvo/orvo_mask.h"
#include "orvo/variant.h"

namespace orvo {

class CalendForm;
class CalcForm;

// The private members and compiled-mask fields a script may read ("FilterKeyLast",
// "MaskTemplate", ...), each as a Variant of its declared type; nothing for other names.
// The indexed form reads FilterKeyFields(i) and FilterKeyValues(i), raising 9 outside 0..9.
std::optional<Variant> MemberValue(const OrvoMask& c, const std::string& name);
std::optional<Variant> MemberValue(const OrvoMask& c, const std::string& name, int16_t index);

// The steps of the drop-down that prepare the lookup list and find the field's record.
void PrepareList(OrvoMask& c, int16_t& SkipLocate);
void LocateValue(OrvoMask& c);

// The control's own popup form (the calendar and list pages), made on first use; null
// before.
CalendForm* CalendarForm(const OrvoMask& c);

// The control that owns the open popup (null when none), and the calculator the controls
// of the process share (null until one drops it down) and whether it is loaded.
OrvoMask* PopupOwnerControl();
CalcForm* SharedCalculator();
bool CalculatorLoaded();

}  // namespace orvo
