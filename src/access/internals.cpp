// The control's internals for tools and tests, read through its implementation.
#include "access/internals.h"

#include "control/orvo_mask_impl.h"
#include "control/process_state.h"

namespace orvo {

std::optional<Variant> MemberValue(const OrvoMask& c, const std::string& name) {
  return OrvoMaskImpl::Of(c).MemberValue(name);
}

std::optional<Variant> MemberValue(const OrvoMask& c, const std::string& name, int16_t index) {
  return OrvoMaskImpl::Of(c).MemberValue(name, index);
}

void PrepareList(OrvoMask& c, int16_t& SkipLocate) {
  OrvoMaskImpl::Of(c).PrepareList(SkipLocate);
}

void LocateValue(OrvoMask& c) {
  OrvoMaskImpl::Of(c).LocateValue();
}

CalendForm* CalendarForm(const OrvoMask& c) {
  return OrvoMaskImpl::Of(c).m_.CalendForm;
}

OrvoMask* PopupOwnerControl() {
  return Process().gActiveControl;
}

CalcForm* SharedCalculator() {
  return Process().calcForm.get();
}

bool CalculatorLoaded() {
  return Process().gCalcLoaded != 0;
}

}  // namespace orvo
