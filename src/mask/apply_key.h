// ApplyKey: one key through the mask, as a pure function from edit state to outcome.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mask/compiled_mask.h"

namespace orvo {

// The length bound of a box whose MaxLength is 0 (no limit of its own).
inline constexpr int32_t kUnlimitedTextLength = 32000;

// The box's MaxLength, or 32000 when that is 0: the last caret position at which a
// character may still be typed, and the longest text a template with literals lays out.
inline int32_t EffectiveMaxLength(int32_t maxLength) {
  return maxLength > 0 ? maxLength : kUnlimitedTextLength;
}

// The special codes ApplyKey takes in place of a typed character.
namespace key {
inline constexpr int16_t Enter = 13;
inline constexpr int16_t NextField = -1;      // sent for the Down arrow
inline constexpr int16_t PreviousField = -2;  // sent for the Up arrow
inline constexpr int16_t Delete = -7;         // the selection, or the character at the caret
inline constexpr int16_t Copy = 3;            // Ctrl+C
inline constexpr int16_t Cut = 24;            // Ctrl+X
inline constexpr int16_t Paste = 22;          // Ctrl+V
inline constexpr int16_t Backspace = 8;
}  // namespace key

// The active edit box as the engine sees it. Positions are 0-based as SelStart is; values
// outside the text are taken as the box would clamp them.
struct EditState {
  std::string text;
  int32_t selStart = 0;
  int32_t selLength = 0;
  int32_t maxLength = 0;  // the box's MaxLength; 0: none
  bool operator==(const EditState&) const = default;
};

// Everything else the engine reads of the control for one key.
struct MaskEnv {
  const CompiledMask& compiled;
  TipoDeCampo kind = TipoDeCampo::Character;
  std::string_view decimalSeparator = ",";  // gDecimalSeparator
  std::string_view groupSeparator = ".";    // gGroupSeparator
  bool multiLineBox = false;                // the active box is the multi-line box 2
  bool readOnly = false;                    // Locked, or WhatsThisHelpID -1
  bool enabled = true;
};

enum class FocusMove { None, Next, Previous };

struct KeyOutcome {
  EditState state;           // the box after the key; SelLength is 0 once text is written
  bool textWritten = false;  // state.text and state.selStart go to the box
  bool beep = false;
  int16_t passOn = 0;  // the key the box should still receive; 0: consumed
  FocusMove focus = FocusMove::None;
  // Clear the clipboard and put this text on it (copy and cut).
  std::optional<std::string> clipboardText;
  // An "@A" field lays its template out as EffectiveMaxLength "A"s; when that differs from
  // the stored MaskTemplate the control stores this one.
  std::optional<std::string> maskTemplate;
};

// One key of the active edit box through the mask.
//
// The control's key handlers (txt_KeyDown, txt_KeyPress through ProcuraLetra) read the box
// into an EditState, call ApplyKey with the key or special code and with `passThrough`, the
// key the box would otherwise handle, and then carry out the outcome in this order: store
// `maskTemplate`; clear the clipboard and set `clipboardText`; when `textWritten`, write
// `state.text` to the box (which raises its change notification) and set SelStart to
// `state.selStart`; beep; press Tab (FocusMove::Next) or Shift+Tab (FocusMove::Previous);
// and hand `passOn` back to the box as the key. `clipboard` is the clipboard's text, read
// only for a paste (key 22): callers may pass it only when key is 22.
//
// A paste lays the clipboard in character by character as typed keys and writes the text
// once at the end. The multi-line box takes its keys natively (passOn = passThrough)
// except paste and copy.
KeyOutcome ApplyKey(const MaskEnv& env, const EditState& state, int16_t keyCode,
                    int16_t passThrough, std::string_view clipboard = {});

}  // namespace orvo
