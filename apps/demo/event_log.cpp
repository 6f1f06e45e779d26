// The lines FieldEvents writes.
#include "event_log.h"

#include <cstdio>

namespace orvo::demo {

namespace {

std::string Mouse(int16_t button, int16_t shift, float x, float y) {
  char text[96];
  std::snprintf(text, sizeof text, "Button=%d Shift=%d X=%g Y=%g", button, shift, x, y);
  return text;
}

std::string Keys(int16_t code, int16_t shift) {
  return "KeyCode=" + std::to_string(code) + " Shift=" + std::to_string(shift);
}

}  // namespace

void FieldEvents::Log(const std::string& event, const std::string& arguments) {
  if (sink_) sink_(field_ + " " + event + (arguments.empty() ? "" : " " + arguments));
}

bool IsMouseMove(const std::string& line) {
  return line.find(" MouseMove ") != std::string::npos;
}

void FieldEvents::Click() {
  Log("Click");
}
void FieldEvents::DblClick() {
  Log("DblClick");
}
void FieldEvents::KeyDown(int16_t& KeyCode, int16_t& Shift) {
  Log("KeyDown", Keys(KeyCode, Shift));
}
void FieldEvents::KeyPress(int16_t& KeyAscii) {
  Log("KeyPress", "KeyAscii=" + std::to_string(KeyAscii));
}
void FieldEvents::KeyUp(int16_t& KeyCode, int16_t& Shift) {
  Log("KeyUp", Keys(KeyCode, Shift));
}
void FieldEvents::MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  Log("MouseDown", Mouse(Button, Shift, x, Y));
}
void FieldEvents::MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  Log("MouseUp", Mouse(Button, Shift, x, Y));
}
void FieldEvents::MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  Log("MouseMove", Mouse(Button, Shift, x, Y));
}
void FieldEvents::Change() {
  Log("Change");
  if (onChange) onChange();
}
void FieldEvents::ButtonClick(bool& Cancel) {
  Log("ButtonClick", Cancel ? "Cancel=True" : "Cancel=False");
}
void FieldEvents::DropDown(bool& Status) {
  Log("DropDown", Status ? "Status=True" : "Status=False");
}
void FieldEvents::SetFilter() {
  Log("SetFilter");
  if (onSetFilter) onSetFilter();
}
void FieldEvents::OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) {
  Log("OpenRecordSet", "vgSQL=\"" + vgSQL + "\"");
  if (onOpenRecordSet) onOpenRecordSet(vgRecordSet, vgSQL);
}

}  // namespace orvo::demo
