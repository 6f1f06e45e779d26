// FormHost: a form of OrvoMask controls that a runner or an application drives like a user.
//
// Both hosts implement it (HeadlessHost, QtHost) with one behaviour:
// - Sites are created at the end of the form's focus order, laid out top to bottom.
// - Key delivery goes to the focused widget of the active window: key down (with the shift
//   state), the character when the key makes one, key up. A handler that zeroes KeyCode keeps
//   a text box from acting on the key; one that zeroes KeyAscii keeps it from inserting.
// - Tab and Shift+Tab never reach a widget: the form's navigation takes them and moves the
//   focus to the next (previous) control that can take it. Ctrl+Tab reaches the widget.
// - Keys injected through HostServices::KeybdEvent run after the current delivery returns
//   (or in DoEvents); every FormHost operation ends by running them.
// - Focus changes raise, in order: old widget LostFocus, old control ExitFocus (when the
//   control changes), new control EnterFocus, new widget GotFocus. Each window (the form,
//   each popup) keeps its own focused widget; switching windows raises no focus events.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/key_codes.h"
#include "base/locale_settings.h"
#include "platform/control_site.h"
#include "platform/host_services.h"
#include "platform/widgets.h"

namespace orvo {

// One key as the keyboard delivers it: virtual-key code, shift state (1 Shift, 2 Ctrl,
// 4 Alt) and the character it produces (0 when none).
struct KeyStroke {
  int16_t keyCode = 0;
  int16_t shift = 0;
  int16_t keyAscii = 0;
  bool operator==(const KeyStroke&) const = default;
};

inline constexpr int16_t kVkTab = vk::kTab;
inline constexpr int16_t kVkShift = vk::kShift;

// The named keys of the play language; nullopt for an unknown name.
inline std::optional<KeyStroke> NamedKey(const std::string& name) {
  struct Entry {
    const char* name;
    KeyStroke stroke;
  };
  static const Entry kKeys[] = {
      {"Enter", {13, 0, 13}},     {"Tab", {9, 0, 0}},          {"Shift+Tab", {9, 1, 0}},
      {"Up", {38, 0, 0}},         {"Down", {40, 0, 0}},        {"Left", {37, 0, 0}},
      {"Right", {39, 0, 0}},      {"Home", {36, 0, 0}},        {"End", {35, 0, 0}},
      {"Shift+Left", {37, 1, 0}}, {"Shift+Right", {39, 1, 0}}, {"Shift+Home", {36, 1, 0}},
      {"Shift+End", {35, 1, 0}},  {"Delete", {46, 0, 0}},      {"Backspace", {8, 0, 8}},
      {"Escape", {27, 0, 27}},    {"Space", {32, 0, 32}},      {"F4", {115, 0, 0}},
      {"Ctrl+C", {67, 2, 3}},     {"Ctrl+X", {88, 2, 24}},     {"Ctrl+V", {86, 2, 22}},
      {"Ctrl+Tab", {9, 2, 0}},    {"PageUp", {33, 0, 0}},      {"PageDown", {34, 0, 0}},
  };
  for (const auto& e : kKeys)
    if (name == e.name) return e.stroke;
  return std::nullopt;
}

// The key that types character `c` on a US keyboard: '.' goes down as 190, not as 46
// (Delete), '(' as Shift+57, not as 40 (Down). Accented letters go down as their base
// letter (as a dead-key sequence ends), c-cedilla as 186, other characters above 127 as 223.
inline KeyStroke KeyStrokeForChar(unsigned char c) {
  KeyStroke k;
  k.keyAscii = static_cast<int16_t>(c);
  auto set = [&](int code, int shift) {
    k.keyCode = static_cast<int16_t>(code);
    k.shift = static_cast<int16_t>(shift);
  };
  if (c >= 'a' && c <= 'z') {
    set(c - 'a' + 'A', 0);
  } else if (c >= 'A' && c <= 'Z') {
    set(c, kShiftMask);
  } else if (c >= '0' && c <= '9') {
    set(c, 0);
  } else if (c == ' ' || c == 8 || c == 9 || c == 13 || c == 27) {
    set(c, 0);
  } else if (c < 32) {
    set('A' + c - 1, kCtrlMask);  // Ctrl+letter characters
  } else if (c == 127) {
    set(8, kCtrlMask);
  } else if (c < 128) {
    static const char kShifted[] = ")!@#$%^&*(";
    for (int d = 0; d < 10; ++d)
      if (kShifted[d] == c) {
        set('0' + d, kShiftMask);
        return k;
      }
    static const struct {
      char plain, shifted;
      int code;
    } kOem[] = {{';', ':', 186},  {'=', '+', 187}, {',', '<', 188}, {'-', '_', 189},
                {'.', '>', 190},  {'/', '?', 191}, {'`', '~', 192}, {'[', '{', 219},
                {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222}};
    for (const auto& o : kOem) {
      if (o.plain == static_cast<char>(c)) set(o.code, 0);
      if (o.shifted == static_cast<char>(c)) set(o.code, kShiftMask);
    }
  } else {
    // Latin-1 letters with diacritics, upper (192..221) and lower (224..253).
    static const char kBase[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
    char base = c >= 192 ? kBase[c - 192] : 0;
    if (c == 0xC7 || c == 0xE7) {
      set(186, c == 0xC7 ? kShiftMask : 0);
    } else if (base >= 'A' && base <= 'Z' && c != 0xDE) {
      set(base, kShiftMask);
    } else if (base >= 'a' && base <= 'z' && c != 0xDF && c != 0xFE) {
      set(base - 'a' + 'A', 0);
    } else {
      set(223, 0);
    }
  }
  return k;
}

// Where a click on a scroll bar lands: an arrow or the trough on one side of the thumb.
// "Min" is the end the up (left) arrow points to, "Max" the end of the down (right) arrow.
enum class ScrollPart { ArrowMin, ArrowMax, PageMin, PageMax };

struct SiteOptions {
  std::optional<int16_t> index;  // element of a control array
  bool userMode = true;          // the ambient UserMode
  float width = 2400;            // twips
  float height = 600;
};

class FormHost {
 public:
  virtual ~FormHost() = default;

  virtual HostServices& Services() = 0;

  // Regional settings reported to controls created from now on (each site keeps the
  // settings it was created under).
  virtual void SetLocale(const LocaleSettings& locale) = 0;

  // A site for control NAME (or element INDEX of control array NAME), placed below the
  // controls already on the form and appended to the focus order. The host owns the site;
  // it lives until RemoveControl or the host's end. Raises Error 5 when NAME (INDEX) exists.
  virtual ControlSite& CreateSite(const std::string& name, const SiteOptions& options = {}) = 0;
  // The OrvoMask a site hosts, reported in ParentControls (null for foreign controls).
  virtual void RegisterControl(ControlSite& site, OrvoMask* control) = 0;
  virtual ControlSite* FindSite(const std::string& name, std::optional<int16_t> index = {}) = 0;
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

  // Shows the form; controls not shown yet get their Show notification, in form order.
  virtual void ShowForm() = 0;
  virtual bool FormShown() const = 0;

  // Keyboard, to the focused widget of the active window.
  virtual void SendKey(const KeyStroke& key) = 0;
  // A named key (NamedKey); raises Error 5 for an unknown name.
  virtual void Key(const std::string& name) = 0;
  // Each character typed: KeyStrokeForChar.
  virtual void Type(const std::string& text) = 0;

  // Focus to the control as a click on its field gives it: the visible active text box when
  // it can take the focus, else its picture box, else the control's own surface.
  virtual void FocusControl(ControlSite& site) = 0;
  // Caret and selection in the focused text box as a mouse drag makes them (button down at
  // START, up at START+LENGTH); raises Error 5 when no text box has the focus.
  virtual void SelectText(int32_t start, int32_t length) = 0;

  // A left click on a widget, at (x, y) in its own twips: the pointer moves there, its
  // window is activated, the widget takes the focus when it can, then mouse down, mouse up
  // and click. A disabled or hidden widget gets nothing.
  virtual void Click(Widget& widget, float x = 15, float y = 15) = 0;
  // The same on a control's own surface (the surface mouse handlers; no click event).
  virtual void ClickSurface(ControlSite& site, float x = 15, float y = 15) = 0;
  // A click on an arrow or the trough of a scroll bar: it takes the focus, then its value
  // moves by SmallChange (arrows) or LargeChange (trough), clamped, notifying a change.
  virtual void ClickScrollBar(ScrollBar& bar, ScrollPart part) = 0;
  // The user activates a window that is not the form nor a popup (the pointer leaves both).
  virtual void ActivateOutside() = 0;

  // The focused control: "b", "opt(1)" for an element of an array, "" when none.
  virtual std::string FocusName() const = 0;
  virtual Widget* FocusedWidget() const = 0;

  virtual std::string ClipboardText() const = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual int32_t Beeps() const = 0;

  // The host clock: starts at 2024-06-15 10:00:00.
  virtual void AdvanceClock(double seconds) = 0;
  virtual void SetClock(double serial) = 0;
  virtual void SetCursorPos(Point pixels) = 0;

  // Runs injected keys and pending paints until none is left.
  virtual void ProcessPending() = 0;
};

// HostServices seen by one site: everything is the host's, except the locale, which is the
// one the site was created under.
class SiteServices : public HostServices {
 public:
  SiteServices(HostServices& host, LocaleSettings locale)
      : host_(host), locale_(std::move(locale)) {}
  void ClipboardClear() override { host_.ClipboardClear(); }
  void ClipboardSetText(const std::string& text) override { host_.ClipboardSetText(text); }
  std::string ClipboardGetText() const override { return host_.ClipboardGetText(); }
  void Beep() override { host_.Beep(); }
  void KeybdEvent(uint8_t vk, uint8_t scan, int32_t flags) override {
    host_.KeybdEvent(vk, scan, flags);
  }
  void DoEvents() override { host_.DoEvents(); }
  float Timer() const override { return host_.Timer(); }
  double Now() const override { return host_.Now(); }
  float TwipsPerPixelX() const override { return host_.TwipsPerPixelX(); }
  float TwipsPerPixelY() const override { return host_.TwipsPerPixelY(); }
  float ScreenWidth() const override { return host_.ScreenWidth(); }
  float ScreenHeight() const override { return host_.ScreenHeight(); }
  LocaleSettings Locale() const override { return locale_; }
  int32_t GetWindowLong(int32_t hwnd, int32_t index) const override {
    return host_.GetWindowLong(hwnd, index);
  }
  void SetWindowLong(int32_t hwnd, int32_t index, int32_t value) override {
    host_.SetWindowLong(hwnd, index, value);
  }
  Rect GetWindowRect(int32_t hwnd) const override { return host_.GetWindowRect(hwnd); }
  Point GetCursorPos() const override { return host_.GetCursorPos(); }
  int16_t ScreenMousePointer() const override { return host_.ScreenMousePointer(); }
  void SetScreenMousePointer(int16_t v) override { host_.SetScreenMousePointer(v); }
  std::unique_ptr<PopupForm> CreatePopupForm() override { return host_.CreatePopupForm(); }
  std::unique_ptr<MessageHook> CreateMessageHook() override { return host_.CreateMessageHook(); }

 private:
  HostServices& host_;
  LocaleSettings locale_;
};

// "b", or "opt(1)" for element 1 of array opt.
inline std::string ControlDisplayName(const std::string& name, std::optional<int16_t> index) {
  return index ? name + "(" + std::to_string(*index) + ")" : name;
}

}  // namespace orvo
