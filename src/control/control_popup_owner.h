// ControlPopupOwner: the control as its popup forms see it.
#pragma once

#include <string>

#include "popups/popup_owner.h"

namespace orvo {

class OrvoMask;

class ControlPopupOwner final : public PopupOwner {
 public:
  explicit ControlPopupOwner(OrvoMask& control) : c_(control) {}

  void LigaDesligaHok(int32_t& liga, bool& geraEvento) override;
  int32_t WndForm() const override;
  int32_t EstiloForm() const override;
  void VoltaFoco() override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  std::string DateFormat() const override;
  FontRef Font() const override;
  void ClearListSearch() override;
  void PopupClosed() override;

 private:
  OrvoMask& c_;
};

}  // namespace orvo
