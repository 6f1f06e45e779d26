// FormHost: a form of OrvoMask controls, as an application builds it and as a user (or a
// program acting for one) drives it. Every host is one: CreateHeadlessHost (headless_host.h)
// for tests and tools, CreateQtHost (qt_host.h) for a window on screen.
//
// One behaviour in every host:
// - Controls are placed on sites the host owns; the application owns the OrvoMask on each
//   one and destroys it before the site goes (RemoveControl) or the host ends.
// - Sites are created at the end of the form's focus order, laid out top to bottom.
// - Keys go to the focused widget of the active window. Tab and Shift+Tab are the form's:
//   they move the focus to the next (previous) control that can take it.
// - Focus changes raise, in order: old widget LostFocus, old control ExitFocus (when the
//   control changes), new control EnterFocus, new widget GotFocus.
// - Keys a control injects run after the current delivery returns; every operation below
//   that stands for the user ends by running them, and the paints they cause.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orvo/locale_settings.h"

namespace orvo {

class ControlSite;
class OrvoMask;

struct SiteOptions {
  std::optional<int16_t> index;  // element of a control array
  bool userMode = true;          // the ambient UserMode: false is the designer
  float width = 2400;            // twips
  float height = 600;
};

class FormHost {
 public:
  virtual ~FormHost() = default;
  FormHost(const FormHost&) = delete;
  FormHost& operator=(const FormHost&) = delete;

  // Regional settings reported to controls created from now on (each site keeps the
  // settings it was created under).
  virtual void SetLocale(const LocaleSettings& locale) = 0;

  // The form's controls.
  // A site for control NAME (or element INDEX of control array NAME), placed below the
  // controls already on the form and appended to the focus order. It lives until
  // RemoveControl or the host's end. Raises Error 5 when NAME (INDEX) exists.
  virtual ControlSite& CreateSite(const std::string& name, const SiteOptions& options = {}) = 0;
  // The OrvoMask on a site: its siblings see it in ParentControls, and form files save it.
  virtual void RegisterControl(ControlSite& site, OrvoMask* control) = 0;
  virtual ControlSite* FindSite(const std::string& name, std::optional<int16_t> index = {}) = 0;
  // The OrvoMask registered on NAME (INDEX); null when there is none.
  virtual OrvoMask* FindControl(const std::string& name, std::optional<int16_t> index = {}) = 0;
  // Sites in focus order.
  virtual std::vector<ControlSite*> Sites() = 0;
  // Destroy the control first: the site goes, with the focus if it held it.
  virtual void RemoveControl(ControlSite& site) = 0;
  // Moves a control on the form (twips) and resizes it (raising its resize notification).
  virtual void PlaceControl(ControlSite& site, float left, float top, float width,
                            float height) = 0;
  // Resizes a control in one step: one resize notification when the size changes.
  virtual void ResizeControl(ControlSite& site, float width, float height) = 0;
  // The extender's Visible and Enabled: a hidden or disabled control takes no focus.
  virtual void SetControlVisible(ControlSite& site, bool visible) = 0;
  virtual void SetControlEnabled(ControlSite& site, bool enabled) = 0;

  // The form's caption and size (twips), as a form file keeps them.
  virtual const std::string& FormTitle() const = 0;
  virtual float FormWidth() const = 0;
  virtual float FormHeight() const = 0;
  virtual void SetFormFrame(const std::string& title, float width, float height) = 0;
  // Shows the form; controls not shown yet get their Show notification, in form order.
  virtual void ShowForm() = 0;
  virtual bool FormShown() const = 0;

  // What a user does.
  // A named key: "Enter", "Tab", "Shift+Tab", "Escape", "Space", "Backspace", "Delete", "F4",
  // "Up", "Down", "Left", "Right", "Home", "End", "PageUp", "PageDown", "Shift+Left",
  // "Shift+Right", "Shift+Home", "Shift+End", "Ctrl+Home", "Ctrl+End", "Ctrl+C", "Ctrl+X",
  // "Ctrl+V", "Ctrl+Tab". Raises Error 5 for another name.
  virtual void Key(const std::string& name) = 0;
  // Each character typed, as the keyboard would type it.
  virtual void Type(const std::string& text) = 0;
  // Focus to the control as a click on its field gives it.
  virtual void FocusControl(ControlSite& site) = 0;
  // Caret and selection in the focused text box as a mouse drag makes them; raises Error 5
  // when no text box has the focus.
  virtual void SelectText(int32_t start, int32_t length) = 0;
  // A left click on the control's own surface at (x, y) twips.
  virtual void ClickSurface(ControlSite& site, float x = 15, float y = 15) = 0;
  // The user activates a window that is neither the form nor a popup: open popups close.
  virtual void ActivateOutside() = 0;
  // The focused control: "b", "opt(1)" for an element of an array, "" when none.
  virtual std::string FocusName() const = 0;

  // The host's services as the controls see them.
  virtual std::string ClipboardText() const = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual int32_t Beeps() const = 0;
  // The host's clock: a simulated one starts at 2024-06-15 10:00:00 (the headless host's,
  // and the Qt host's unless QtHostOptions::simulatedClock is false); advancing the real one
  // shifts what the controls read.
  virtual void AdvanceClock(double seconds) = 0;
  virtual void SetClock(double serial) = 0;

  // Runs injected keys and pending paints until none is left.
  virtual void ProcessPending() = 0;

 private:
  // The host model is the one implementation: the library may treat every FormHost as it.
  friend class CoreHost;
  FormHost() = default;
};

}  // namespace orvo
