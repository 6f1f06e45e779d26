// Closer: the application's events that run `close` (a form closing a field) the first time
// the event named `on` is raised, for the tests of a field destroyed by its own event.
#pragma once

#include <functional>
#include <string>

#include "orvo/orvo_mask_events.h"
#include "lookup/recordset.h"

namespace orvo::testing {

struct Closer : OrvoMaskEvents {
  void Fire(const std::string& name) {
    if (name != on || !close) return;
    std::function<void()> run = std::move(close);
    close = nullptr;
    run();
  }
  void Click() override { Fire("Click"); }
  void KeyDown(int16_t&, int16_t&) override { Fire("KeyDown"); }
  void KeyPress(int16_t&) override { Fire("KeyPress"); }
  void KeyUp(int16_t&, int16_t&) override { Fire("KeyUp"); }
  void MouseDown(int16_t&, int16_t&, float&, float&) override { Fire("MouseDown"); }
  void Change() override { Fire("Change"); }
  void ButtonClick(bool&) override { Fire("ButtonClick"); }
  void MouseUp(int16_t&, int16_t&, float&, float&) override { Fire("MouseUp"); }
  void MouseMove(int16_t&, int16_t&, float&, float&) override { Fire("MouseMove"); }
  void DropDown(bool&) override { Fire("DropDown"); }
  void SetFilter() override { Fire("SetFilter"); }
  // The application answers first (opening the statement), then closes.
  void OpenRecordSet(RecordsetRef& rs, std::string& sql) override {
    if (answer) answer(rs, sql);
    Fire("OpenRecordSet");
  }

  std::string on;
  std::function<void()> close;
  std::function<void(RecordsetRef&, std::string&)> answer;
};

}  // namespace orvo::testing
