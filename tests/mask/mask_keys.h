// Test support: key scripts ("12{BS}{V}") run through ApplyKey as the control would run them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mask/apply_key.h"
#include "mask/compiled_mask.h"

namespace orvo::testing_support {

// Plain characters type themselves; {BS} Backspace, {DEL} delete, {C} copy, {X} cut,
// {V} paste, {ENTER}, {DOWN} next field, {UP} previous field, {#n} any key code n.
inline std::vector<int16_t> ParseKeys(std::string_view script) {
  std::vector<int16_t> keys;
  for (size_t i = 0; i < script.size(); ++i) {
    if (script[i] != '{') {
      keys.push_back(static_cast<unsigned char>(script[i]));
      continue;
    }
    const size_t end = script.find('}', i);
    const std::string_view name = script.substr(i + 1, end - i - 1);
    i = end;
    if (name == "BS")
      keys.push_back(key::Backspace);
    else if (name == "DEL")
      keys.push_back(key::Delete);
    else if (name == "C")
      keys.push_back(key::Copy);
    else if (name == "X")
      keys.push_back(key::Cut);
    else if (name == "V")
      keys.push_back(key::Paste);
    else if (name == "ENTER")
      keys.push_back(key::Enter);
    else if (name == "DOWN")
      keys.push_back(key::NextField);
    else if (name == "UP")
      keys.push_back(key::PreviousField);
    else
      keys.push_back(static_cast<int16_t>(std::stoi(std::string(name.substr(1)))));
  }
  return keys;
}

struct Field {
  std::string mask;
  TipoDeCampo kind = TipoDeCampo::Character;
  bool pointLocale = false;  // "." decimal and "," grouping instead of "," and "."
  int32_t maxLength = 0;     // the box's own MaxLength when the mask does not set it
  bool multiLineBox = false;
  bool readOnly = false;
  bool enabled = true;
};

// The box after a run of keys, with what the keys asked of the control.
struct KeyRun {
  EditState state;
  std::string clipboard;
  bool beep = false;        // any key beeped
  bool anyWritten = false;  // any key wrote the text
  int16_t lastPassOn = 0;
  FocusMove lastFocus = FocusMove::None;
  CompiledMask compiled;
};

inline KeyRun RunKeys(const Field& field, EditState start, std::string_view script,
                      std::string clipboard = {}) {
  KeyRun run;
  const MaskCompilation mc = CompileMask(field.mask, field.kind, false, DateOrder::DayMonthYear);
  run.compiled = mc.compiled;
  run.state = std::move(start);
  if (mc.setMaxLength)
    run.state.maxLength = mc.maxLength;
  else if (run.state.maxLength == 0)
    run.state.maxLength = field.maxLength;
  run.clipboard = std::move(clipboard);
  for (int16_t k : ParseKeys(script)) {
    const MaskEnv env{run.compiled,
                      field.kind,
                      field.pointLocale ? "." : ",",
                      field.pointLocale ? "," : ".",
                      field.multiLineBox,
                      field.readOnly,
                      field.enabled};
    KeyOutcome out = ApplyKey(env, run.state, k, k, run.clipboard);
    if (out.maskTemplate) run.compiled.MaskTemplate = *out.maskTemplate;
    if (out.clipboardText) run.clipboard = *out.clipboardText;
    if (out.textWritten) {
      run.state.text = out.state.text;
      run.state.selStart = out.state.selStart;
      run.state.selLength = 0;
      run.anyWritten = true;
    }
    run.beep = run.beep || out.beep;
    run.lastPassOn = out.passOn;
    run.lastFocus = out.focus;
  }
  return run;
}

}  // namespace orvo::testing_support
