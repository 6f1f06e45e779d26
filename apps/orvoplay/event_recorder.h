// EventRecorder: the script's handler of one control's events: prints and remembers them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "orvo/orvo_mask_events.h"
#include "orvo/variant.h"
#include "transcript.h"

namespace orvo {
class OrvoMask;
}

namespace orvo::play {

// What every control's recorder shares: whether events are recorded, the names raised since
// the last `expect-events`, and how `OpenRecordSet` is answered.
struct EventLog {
  explicit EventLog(Transcript& t) : transcript(t) {}
  Transcript& transcript;
  bool on = false;
  std::vector<std::string> raised;
  // Set by `answer OpenRecordSet`: opens `vgSQL` into `vgRecordSet` for `control`.
  std::function<void(OrvoMask& control, RecordsetRef& vgRecordSet, const std::string& vgSQL)>
      answerOpenRecordSet;

  // Set by `answer ButtonClick cancel`, `answer KeyDown zero`, `answer KeyPress zero`.
  bool cancelButtonClick = false;
  bool zeroKeyDown = false;
  bool zeroKeyPress = false;

  void Record(const std::string& name, const std::vector<Variant>& args);
};

class EventRecorder : public OrvoMaskEvents {
 public:
  explicit EventRecorder(EventLog& log) : log_(log) {}
  // The control whose events these are (for answering OpenRecordSet).
  void SetControl(OrvoMask* control) { control_ = control; }

  void Click() override;
  void DblClick() override;
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void KeyPress(int16_t& KeyAscii) override;
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override;
  void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  void Change() override;
  void ButtonClick(bool& Cancel) override;
  void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& Y) override;
  void DropDown(bool& Status) override;
  void SetFilter() override;
  void OpenRecordSet(RecordsetRef& vgRecordSet, std::string& vgSQL) override;

 private:
  EventLog& log_;
  OrvoMask* control_ = nullptr;
};

}  // namespace orvo::play
