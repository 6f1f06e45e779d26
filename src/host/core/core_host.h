// CoreHost: the host model behind every host. It owns the form and its sites, the windows
// and their focus, the widgets' state, activation, the message hooks, injected keys and
// pending paints, and implements FormHost over them. A host is a HostPlatform (views and
// services) plus a class that makes the two.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/core_services.h"
#include "host/core/core_window.h"
#include "host/core/host_platform.h"
#include "host/form_host.h"

namespace orvo {

class CoreSite;
class CoreMessageHook;

class CoreHost : public FormHost {
 public:
  explicit CoreHost(HostPlatform& platform);
  ~CoreHost() override;

  // FormHost.
  HostServices& Services() override { return services_; }
  void SetLocale(const LocaleSettings& locale) override { locale_ = locale; }
  ControlSite& CreateSite(const std::string& name, const SiteOptions& options = {}) override;
  void RegisterControl(ControlSite& site, OrvoMask* control) override;
  ControlSite* FindSite(const std::string& name, std::optional<int16_t> index = {}) override;
  std::vector<ControlSite*> Sites() override;
  void RemoveControl(ControlSite& site) override;
  void PlaceControl(ControlSite& site, float left, float top, float width, float height) override;
  void ResizeControl(ControlSite& site, float width, float height) override;
  void SetControlVisible(ControlSite& site, bool visible) override;
  void SetControlEnabled(ControlSite& site, bool enabled) override;
  void ShowForm() override;
  bool FormShown() const override { return form_.Shown(); }
  void SendKey(const KeyStroke& key) override;
  void Key(const std::string& name) override;
  void Type(const std::string& text) override;
  void FocusControl(ControlSite& site) override;
  void SelectText(int32_t start, int32_t length) override;
  void Click(Widget& widget, float x = 15, float y = 15) override;
  void ClickSurface(ControlSite& site, float x = 15, float y = 15) override;
  void ClickScrollBar(ScrollBar& bar, ScrollPart part) override;
  void ActivateOutside() override;
  std::string FocusName() const override;
  Widget* FocusedWidget() const override;
  std::string ClipboardText() const override { return services_.ClipboardGetText(); }
  void SetClipboardText(const std::string& text) override { services_.ClipboardSetText(text); }
  int32_t Beeps() const override { return services_.BeepCount(); }
  void AdvanceClock(double seconds) override { services_.AdvanceClock(seconds); }
  void SetClock(double serial) override { services_.SetClock(serial); }
  void SetCursorPos(Point pixels) override { services_.SetCursor(pixels); }
  void ProcessPending() override;

  // Input from the platform's own events: a key pressed in (released from) a widget, or in
  // a window with no focused widget (null); a mouse button (0 down, 1 up, 2 move, 3 down
  // again as the second press of a double click); the
  // focus given to a widget by the user; a window activated (null: none of ours).
  void KeyPressed(WidgetNode* target, CoreWindow* window, const KeyStroke& key);
  void KeyReleased(WidgetNode* target, const KeyStroke& key);
  void UserMouse(WidgetNode* node, int kind, int16_t button, int16_t shift, float x, float y);
  void UserFocus(WidgetNode* node);
  void UserActivated(CoreWindow* window);

  // Model internals the widgets, sites and views use.
  HostPlatform& Platform() const { return platform_; }
  CoreServices& CoreServicesRef() { return services_; }
  const LocaleSettings& Locale() const { return locale_; }
  FontRef AmbientFont() const { return ambientFont_; }
  CoreWindow& Form() { return form_; }
  int32_t NewHwnd() { return nextHwnd_ += 4; }
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
  void Navigate(bool backwards);
  void DeliverKey(const KeyStroke& key);
  void MovePointerTo(const WidgetNode* node, float x, float y);

  HostPlatform& platform_;
  CoreServices services_;
  LocaleSettings locale_;
  FontRef ambientFont_;
  int32_t nextHwnd_ = 0x1000;
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
  std::vector<int32_t> pendingPaints_;
  bool processing_ = false;
  float nextSiteTop_ = 120;
  // Declared last: the form and the sites go first, while the registries above live.
  CoreWindow form_;
  CoreWindow* active_ = nullptr;
  std::vector<std::unique_ptr<CoreSite>> sites_;
};

}  // namespace orvo
