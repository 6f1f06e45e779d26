// CoreHost: the host model behind every host, and the one implementation of FormHost (the
// public face an application sees). It owns the form and its sites, the windows and their
// focus, the widgets' state, activation, the message hooks, injected keys and pending paints. A
// host is a HostPlatform (views and services) under it.
//
// Beyond what FormHost promises:
// - Key delivery goes to the focused widget of the active window: key down (with the shift
//   state), the character when the key makes one, key up. A handler that zeroes KeyCode keeps
//   a text box from acting on the key; one that zeroes KeyAscii keeps it from inserting.
// - Tab and Shift+Tab never reach a widget: the form's navigation takes them and moves the
//   focus to the next (previous) control that can take it. Ctrl+Tab reaches the widget.
// - Keys injected through HostServices::KeybdEvent run after the current delivery returns
//   (or in DoEvents).
// - Each window (the form, each popup) keeps its own focused widget; switching windows
//   raises no focus events.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/key_strokes.h"
#include "host/core/core_services.h"
#include "host/core/core_window.h"
#include "host/core/host_platform.h"
#include "orvo/form_host.h"
#include "platform/control_site.h"

namespace orvo {

class CoreSite;
class CoreMessageHook;
class OrvoMask;

// Where a click on a scroll bar lands: an arrow or the trough on one side of the thumb.
// "Min" is the end the up (left) arrow points to, "Max" the end of the down (right) arrow.
enum class ScrollPart { ArrowMin, ArrowMax, PageMin, PageMax };

// "b", or "opt(1)" for element 1 of array opt.
inline std::string ControlDisplayName(const std::string& name, std::optional<int16_t> index) {
  return index ? name + "(" + std::to_string(*index) + ")" : name;
}

class CoreHost : public FormHost {
 public:
  explicit CoreHost(HostPlatform& platform);
  ~CoreHost() override;

  HostServices& Services() { return services_; }

  // FormHost: what an application does, and what a user does.
  void SetLocale(const LocaleSettings& locale) override {
    locale_ = std::make_shared<const LocaleSettings>(locale);
  }
  ControlSite& CreateSite(const std::string& name, const SiteOptions& options = {}) override;
  // The OrvoMask a site hosts, reported in ParentControls (null for foreign controls).
  void RegisterControl(ControlSite& site, OrvoMask* control) override;
  ControlSite* FindSite(const std::string& name, std::optional<int16_t> index = {}) override;
  OrvoMask* FindControl(const std::string& name, std::optional<int16_t> index = {}) override;
  std::vector<ControlSite*> Sites() override;
  void RemoveControl(ControlSite& site) override;
  void PlaceControl(ControlSite& site, float left, float top, float width, float height) override;
  void ResizeControl(ControlSite& site, float width, float height) override;
  void SetControlVisible(ControlSite& site, bool visible) override;
  void SetControlEnabled(ControlSite& site, bool enabled) override;

  const std::string& FormTitle() const override { return formTitle_; }
  float FormWidth() const override { return formWidth_; }
  float FormHeight() const override { return formHeight_; }
  void SetFormFrame(const std::string& title, float width, float height) override {
    formTitle_ = title;
    formWidth_ = width;
    formHeight_ = height;
    platform_.FormFrameChanged(title, width, height);
  }
  void ShowForm() override;
  bool FormShown() const override { return form_.Shown(); }

  // A named key (NamedKey); each character typed (KeyStrokeForChar).
  void Key(const std::string& name) override;
  void Type(const std::string& text) override;
  // The visible active text box when it can take the focus, else its picture box, else the
  // control's own surface.
  void FocusControl(ControlSite& site) override;
  // Button down at START, up at START+LENGTH.
  void SelectText(int32_t start, int32_t length) override;
  // The surface mouse handlers; no click event.
  void ClickSurface(ControlSite& site, float x = 15, float y = 15) override;
  // The pointer leaves the form and the popups.
  void ActivateOutside() override;
  std::string FocusName() const override;

  std::string ClipboardText() const override { return services_.ClipboardGetText(); }
  void SetClipboardText(const std::string& text) override { services_.ClipboardSetText(text); }
  int32_t Beeps() const override { return services_.BeepCount(); }
  void AdvanceClock(double seconds) override { services_.AdvanceClock(seconds); }
  void SetClock(double serial) override { services_.SetClock(serial); }
  void ProcessPending() override;

  // What a user does, in the model's own terms.
  // Keyboard, to the focused widget of the active window.
  void SendKey(const KeyStroke& key);
  // A left click on a widget, at (x, y) in its own twips: the pointer moves there, its
  // window is activated, the widget takes the focus when it can, then mouse down, mouse up
  // and click. A disabled or hidden widget gets nothing.
  void Click(Widget& widget, float x = 15, float y = 15);
  // Two clicks on a widget in quick succession: Click, then DblClick and mouse up (the
  // second press brings no button down).
  void DoubleClick(Widget& widget, float x = 15, float y = 15);
  // A click on an arrow or the trough of a scroll bar: it takes the focus, then its value
  // moves by SmallChange (arrows) or LargeChange (trough), clamped, notifying a change.
  void ClickScrollBar(ScrollBar& bar, ScrollPart part);
  // Notches of the mouse wheel over a scroll bar, positive up: each one a click on an arrow.
  void WheelScrollBar(ScrollBar& bar, int notches);
  // A left button pressed on a widget at (x, y) in its own twips and held: the pointer moves
  // there, the window is activated and the widget focused as by Click, then mouse down.
  // Release lets it go: mouse up on the same widget, and its click when the pointer is still
  // on it; elsewhere the up comes outside the widget and no click follows.
  void Press(Widget& widget, float x = 15, float y = 15);
  // The held button moves to (x, y) on the widget it went down on (twips): mouse move, and a
  // grid drags what the press took hold of.
  void MovePressed(float x, float y);
  void Release(bool onWidget);
  // Wheel notches over a widget at (x, y) in its twips (positive: away from the user).
  void Wheel(Widget& widget, int notches, float x = 15, float y = 15);
  Widget* FocusedWidget() const;
  void SetCursorPos(Point pixels) { services_.SetCursor(pixels); }

  // Input from the platform's own events: a key pressed in (released from) a widget, or in
  // a window with no focused widget (null); a mouse button (0 down, 1 up, 2 move, 3 the
  // second press of a double click); the focus the user gave; a window activated.
  void KeyPressed(WidgetNode* target, CoreWindow* window, const KeyStroke& key);
  void KeyReleased(WidgetNode* target, const KeyStroke& key);
  void UserMouse(WidgetNode* node, int kind, int16_t button, int16_t shift, float x, float y);
  // The wheel over a widget; false when the widget leaves it to the platform's own view.
  bool UserWheel(WidgetNode* node, int notches);
  void UserFocus(WidgetNode* node);
  void UserActivated(CoreWindow* window);
  // The window system closes a window: a popup closes as Escape closes it; false when the
  // window stays (the form's own close is the application's).
  bool UserClosed(CoreWindow* window);
  // The window system moved the form or changed its size: open popups close.
  void FormMoved();

  // Model internals the widgets, sites and views use.
  HostPlatform& Platform() const { return platform_; }
  CoreServices& CoreServicesRef() { return services_; }
  const LocaleSettings& Locale() const { return *locale_; }
  FontRef AmbientFont() const { return ambientFont_; }
  CoreWindow& Form() { return form_; }
  // Window handles are unique in the process, as a window system's are: state kept per
  // process (the focused field's handle) never names a window of another host.
  static int32_t NewHwnd();
  int32_t NextZ(bool front) { return front ? ++zCounter_ : -(++zCounter_); }
  void Register(WidgetNode* node);
  void Unregister(WidgetNode* node);
  bool Alive(uint64_t nodeId) const { return nodes_.count(nodeId) != 0; }
  WidgetNode* NodeByHwnd(int32_t hwnd) const;
  CoreWindow* WindowByHwnd(int32_t hwnd) const;
  const std::vector<CoreWindow*>& Windows() const { return windows_; }
  void AddWindow(CoreWindow* w) { windows_.push_back(w); }
  void RemoveWindow(CoreWindow* w);
  // Focus to a widget of any window, activating its window; Error 5 when it cannot.
  void SetFocusTo(WidgetNode* node);
  CoreWindow* ActiveWindow() const { return active_; }
  // Makes a window the active one: WM_ACTIVATE to hooks on the old and the new window.
  void Activate(CoreWindow* window);
  void RequestPaint(CoreWindow* window);
  void SendHookMessage(int32_t hwnd, int32_t msg);
  void AddHook(CoreMessageHook* h) { hooks_.push_back(h); }
  void RemoveHook(CoreMessageHook* h);
  void QueueInjectedKey(uint8_t vk, int32_t flags);
  std::vector<CoreSite*> SiteList() const;
  Rect ScreenRectPixels(const WidgetNode* node) const;
  // The widget keys go to: the active window's focus, else a popup's own client area.
  WidgetNode* KeyTarget() const;

 private:
  WidgetNode* PreferredTarget(CoreSite& site) const;
  bool PressFocus(WidgetNode* node);
  void Navigate(bool backwards);
  void MovePointerTo(const WidgetNode* node, float x, float y);

  HostPlatform& platform_;
  CoreServices services_;
  std::shared_ptr<const LocaleSettings> locale_;  // shared with the sites made under it
  FontRef ambientFont_;
  int32_t zCounter_ = 0;
  std::unordered_map<uint64_t, WidgetNode*> nodes_;
  uint64_t nextNodeId_ = 0;
  std::vector<CoreMessageHook*> hooks_;
  std::vector<CoreWindow*> windows_;
  struct InjectedKey {
    uint8_t vk;
    int32_t flags;
  };
  std::deque<InjectedKey> injected_;
  bool injectedShiftDown_ = false;
  bool doubleClickUp_ = false;  // the coming release ends a double click
  // The widget a held button was pressed on, and where (its own units).
  struct HeldButton {
    uint64_t nodeId = 0;
    float x = 0, y = 0;
  } held_;
  std::vector<int32_t> pendingPaints_;
  bool processing_ = false;
  float nextSiteTop_ = 120;
  std::string formTitle_ = "Form1";
  float formWidth_ = 4800, formHeight_ = 3600;
  // Declared last: the form and the sites go first, while the registries above live.
  CoreWindow form_;
  CoreWindow* active_ = nullptr;
  std::vector<std::unique_ptr<CoreSite>> sites_;
};

// Every FormHost is the model: FormHost's constructor is CoreHost's alone.
inline CoreHost& CoreOf(FormHost& host) {
  return static_cast<CoreHost&>(host);
}
inline std::unique_ptr<CoreHost> CoreOf(std::unique_ptr<FormHost> host) {
  return std::unique_ptr<CoreHost>(&CoreOf(*host.release()));
}

}  // namespace orvo
