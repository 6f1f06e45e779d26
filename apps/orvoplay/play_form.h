// PlayForm: the script's form in one host: its controls, the focus, keyboard, mouse and clock.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "event_recorder.h"
#include "orvo/locale_settings.h"
#include "orvo/variant.h"

namespace orvo {
class OrvoMask;
}

namespace orvo::play {

enum class HostKind;

// How a control is made: placed anew at design time, or loaded from a bag at run time.
struct NewControlSpec {
  std::string name;
  int16_t index = -1;  // -1: not an element of a control array
  bool design = false;
  LocaleSettings locale;
  std::vector<std::pair<std::string, Variant>> bag;
};

class PlayForm {
 public:
  PlayForm(HostKind host, EventLog& log);
  ~PlayForm();
  PlayForm(const PlayForm&) = delete;
  PlayForm& operator=(const PlayForm&) = delete;

  // Creates, shows and lays out the control at 2400 x 600 twips; it becomes current.
  OrvoMask& New(const NewControlSpec& spec);
  // Makes the control current; raises when there is none of that name.
  OrvoMask& Use(const std::string& name, int16_t index);
  // As a mouse click on the control's field would; the control becomes current.
  void Focus(const std::string& name, int16_t index);
  OrvoMask& Current();                     // raises when no control was created
  void Resize(float width, float height);  // the current control, twips

  std::string Clipboard() const;
  void SetClipboard(const std::string& text);
  int32_t Beeps() const;
  // "b", "opt(1)", or "" when no control has the focus.
  std::string FocusName() const;

  // Each character: key down, character, key up, to the focused widget.
  void TypeText(const std::string& text);
  // A named key (`Enter`, `Shift+Tab`, `Ctrl+V`); false for a name it does not know.
  bool Key(const std::string& name);
  void Select(int32_t start, int32_t length);
  // `button`, `caption`, `box`, `edit`, `spin-up`, ... ; false for a target it does not know.
  bool Click(const std::vector<std::string>& target);
  // A button held down on a click target (not the scroll bars); false for one it does not
  // know. Release lets it go, on the target or elsewhere.
  bool Press(const std::vector<std::string>& target);
  void Release(bool onTarget);
  // In the open list or grid: characters typed, wheel notches (positive: away from the
  // user), and the right edge of a shown column (0 = the first) dragged by `pixels`.
  void TypeInList(const std::string& text);
  void WheelList(int32_t notches);
  void DragListDivider(int32_t column, int32_t pixels);
  // A double click on a click target of a popup or of the control (`button`, `caption`, `box`,
  // `edit`); false for one it does not know.
  bool DoubleClick(const std::vector<std::string>& target);
  // Notches of the mouse wheel over the current spinner's visible bar, positive up.
  void WheelSpinner(int32_t notches);
  // A key going down and up in the open calculator, by virtual-key code.
  void PressCalcKey(int16_t virtualKey);
  // Moves the current control on the form (twips).
  void Place(float left, float top);
  // `popup.Visible`, `popup.Left`, ..., `calc.Display`, `calc.Memory`, `calc(KEY).Enabled`;
  // nullopt for a name that is not a popup's.
  std::optional<Variant> ReadPopup(const std::string& name);
  void Wait(double seconds);
  // Runs what the last direct call on a control left pending (keys it injected, paints).
  void Settle();
  void Screenshot(const std::string& path);
  // The form to a form file; a load replaces every control by the file's, loaded from
  // their bags (`design`: in the designer) under `locale`. The first control loaded becomes
  // current.
  void Save(const std::string& path);
  void Load(const std::string& path, bool design, const LocaleSettings& locale);

  // The state behind it (play_form_impl.h).
  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvo::play
