// FieldEvents: one field's events written as lines to a log, with their arguments.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "orvo/orvo_mask_events.h"

namespace orvo::demo {

using EventSink = std::function<void(const std::string& line)>;

// "txtNome KeyPress KeyAscii=65". The hooks, when set, run after their event is logged: the
// application's own answer to it (narrowing a list, opening a statement).
// True for a MouseMove line: a run of them from one field shows as its last.
bool IsMouseMove(const std::string& line);

class FieldEvents : public OrvoMaskEvents {
 public:
  FieldEvents(std::string field, EventSink sink)
      : field_(std::move(field)), sink_(std::move(sink)) {}
  std::function<void()> onSetFilter;
  std::function<void()> onChange;
  std::function<void(RecordsetRef& recordset, const std::string& statement)> onOpenRecordSet;

  void Click() override;
  void DblClick() override;
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void KeyPress(int16_t& KeyAscii) override;
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override;
  void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  // A pointer crossing a field raises many: the log keeps the last of a run (IsMouseMove).
  void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  void Change() override;
  void ButtonClick(bool& Cancel) override;
  void DropDown(bool& Status) override;
  void SetFilter() override;
  void OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) override;

 private:
  void Log(const std::string& event, const std::string& arguments = "");
  std::string field_;
  EventSink sink_;
};

}  // namespace orvo::demo
