// Recording the control's events into the transcript.
#include "event_recorder.h"

#include "rendering.h"

namespace orvo::play {

void EventLog::Record(const std::string& name, const std::vector<Variant>& args) {
  if (!on) return;
  raised.push_back(name);
  std::string line = "! " + name;
  for (const Variant& a : args) line += " " + Render(a);
  transcript.Print(line);
}

void EventRecorder::Click() {
  log_.Record("Click", {});
}
void EventRecorder::DblClick() {
  log_.Record("DblClick", {});
}

void EventRecorder::KeyDown(int16_t& KeyCode, int16_t& Shift) {
  log_.Record("KeyDown", {KeyCode, Shift});
  if (log_.zeroKeyDown) KeyCode = 0;
}

void EventRecorder::KeyPress(int16_t& KeyAscii) {
  log_.Record("KeyPress", {KeyAscii});
  if (log_.zeroKeyPress) KeyAscii = 0;
}

void EventRecorder::KeyUp(int16_t& KeyCode, int16_t& Shift) {
  log_.Record("KeyUp", {KeyCode, Shift});
}

void EventRecorder::MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  log_.Record("MouseDown", {Button, Shift, x, Y});
}

void EventRecorder::Change() {
  log_.Record("Change", {});
}

void EventRecorder::ButtonClick(bool& Cancel) {
  log_.Record("ButtonClick", {Cancel});
  if (log_.cancelButtonClick) Cancel = true;
}

void EventRecorder::MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  log_.Record("MouseUp", {Button, Shift, x, Y});
}

void EventRecorder::MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) {
  log_.Record("MouseMove", {Button, Shift, x, Y});
}

void EventRecorder::DropDown(bool& Status) {
  log_.Record("DropDown", {Status});
}

void EventRecorder::SetFilter() {
  log_.Record("SetFilter", {});
}

void EventRecorder::OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) {
  log_.Record("OpenRecordSet", {Variant(std::shared_ptr<Object>(vgRecordSet)), vgSQL});
  if (log_.answerOpenRecordSet && control_) log_.answerOpenRecordSet(*control_, vgRecordSet, vgSQL);
}

}  // namespace orvo::play
