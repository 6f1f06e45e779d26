// RecordingOwner: a popup owner that logs what the popup asks of it.
#pragma once

#include <string>

#include "popups/popup_owner.h"

namespace orvo {

class RecordingOwner : public PopupOwner {
 public:
  void LigaDesligaHok(int32_t& liga, bool& geraEvento) override {
    log += "hook(" + std::to_string(liga) + (geraEvento ? ",event) " : ") ");
  }
  int32_t WndForm() const override { return 0; }
  int32_t EstiloForm() const override { return 0; }
  void VoltaFoco() override { log += "focus "; }
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override {
    log += "text ";
    text = t;
  }
  std::string DateFormat() const override { return dateFormat; }
  FontRef Font() const override { return nullptr; }
  void ClearListSearch() override { log += "search "; }
  void PopupClosed() override { log += "closed "; }
  std::string text;
  std::string dateFormat = "dd/mm/yyyy";
  std::string log;
};

}  // namespace orvo
