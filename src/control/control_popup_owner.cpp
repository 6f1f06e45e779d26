// The control's answers to its popup forms.
#include "control/control_popup_owner.h"

#include "control/orvo_mask_impl.h"
#include "control/process_state.h"

namespace orvo {

void ControlPopupOwner::LigaDesligaHok(int32_t& liga, bool& geraEvento) {
  c_.LigaDesligaHok(liga, geraEvento);
}
int32_t ControlPopupOwner::WndForm() const {
  return c_.WndForm;
}
int32_t ControlPopupOwner::EstiloForm() const {
  return c_.EstiloForm;
}
void ControlPopupOwner::VoltaFoco() {
  c_.VoltaFoco();
}
std::string ControlPopupOwner::Text() const {
  return c_.Text();
}
void ControlPopupOwner::SetText(const std::string& text) {
  c_.SetText(text);
}
std::string ControlPopupOwner::DateFormat() const {
  return DateFormatOf(OrvoMaskImpl::Of(c_).m_.Mask, OrvoMaskImpl::Of(c_).locale_.dateOrder);
}
FontRef ControlPopupOwner::Font() const {
  return c_.Font();
}
void ControlPopupOwner::ClearListSearch() {
  c_.ListBoxSearch.clear();
}

// A popup that closes by itself (a choice, Escape) leaves the control as the hook's closing
// does: no popup open, no active control.
void ControlPopupOwner::PopupClosed() {
  OrvoMaskImpl::Of(c_).m_.CalendFormOpen = 0;
  OrvoMaskImpl::Of(c_).m_.CalcFormOpen = 0;
  if (Process().gActiveControl == &c_) Process().gActiveControl = nullptr;
}

}  // namespace orvo
