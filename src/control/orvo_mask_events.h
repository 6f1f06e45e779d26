// OrvoMaskEvents: the control's thirteen events; the application overrides what it handles.
// A handler runs inside the control's own work: it must not destroy the control that raised
// it (as a form cannot unload a control from within that control's event). Defer that to
// after the event returns, e.g. through the application's event loop.
#pragma once

#include <cstdint>
#include <string>

#include "lookup/recordset.h"

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
