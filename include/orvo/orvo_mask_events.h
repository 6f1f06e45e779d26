// OrvoMaskEvents: the control's thirteen events; the application overrides what it handles.
// A handler runs inside the control's own work, and may destroy the control that raised it
// (a form that closes itself from a field's Change or LostFocus): the control then does no
// more of that work and touches nothing of itself; the call that brought the event (the
// host's key or click, the popup's choice, the application's SetText) returns as done.
// Other fields of the form go on working. The rest of the event's own work is lost: a
// Change raised by a typed key is the last thing that key does.
#pragma once

#include <cstdint>
#include <string>

#include "orvo/recordset.h"

namespace orvo {

class OrvoMaskEvents {
 public:
  virtual ~OrvoMaskEvents() = default;
  virtual void Click() {}
  virtual void DblClick() {}  // declared only: never raised
  virtual void KeyDown(int16_t& KeyCode, int16_t& Shift) { (void)KeyCode, (void)Shift; }
  virtual void KeyPress(int16_t& KeyAscii) { (void)KeyAscii; }
  virtual void KeyUp(int16_t& KeyCode, int16_t& Shift) { (void)KeyCode, (void)Shift; }
  virtual void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) {
    (void)Button, (void)Shift, (void)x, (void)Y;
  }
  virtual void Change() {}
  virtual void ButtonClick(bool& Cancel) { (void)Cancel; }
  virtual void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) {
    (void)Button, (void)Shift, (void)x, (void)Y;
  }
  virtual void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) {
    (void)Button, (void)Shift, (void)x, (void)Y;
  }
  virtual void DropDown(bool& Status) { (void)Status; }
  virtual void SetFilter() {}
  virtual void OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) {
    (void)vgRecordSet, (void)vgSQL;
  }
};

}  // namespace orvo
