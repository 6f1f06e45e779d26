// PopupOwner: what a popup form asks of the control that opened it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host_objects.h"

namespace orvo {

class PopupOwner {
 public:
  virtual ~PopupOwner() = default;

  // Switches the control's message hook: `liga` >= 1 watches that window, below 1 stops;
  // stopping with `geraEvento` raises DropDown with false.
  virtual void LigaDesligaHok(int32_t& liga, bool& geraEvento) = 0;
  // The parent form's window and the style saved when the popup opened.
  virtual int32_t WndForm() const = 0;
  virtual int32_t EstiloForm() const = 0;
  // The focus back to the field.
  virtual void VoltaFoco() = 0;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // The date format of the field's mask: how a picked day is written.
  virtual std::string DateFormat() const = 0;
  virtual FontRef Font() const = 0;
  // The list's search-as-you-type text starts again.
  virtual void ClearListSearch() = 0;
  // The popup has closed: the control no longer owns an open popup.
  virtual void PopupClosed() = 0;
};

}  // namespace orvo
