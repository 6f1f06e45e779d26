// HeadlessHost: the in-memory host. A form of controls with a focus order, popups, an
// in-memory clipboard, clock and beep counter, and injected keys run after each delivery.
//
// Supports: every widget of widgets.h, PopupForm with list box, text box, label, button and
// a first-cut unbound DataGrid; message hooks (WM_PAINT after a popup shows or resizes,
// WM_SIZE, WM_ACTIVATE on activation changes); window styles per handle; GetWindowRect
// from positions (the form's client area at screen 0,0); 800 x 800 pixel screen at
// 15 twips per pixel. Modal shows do not block (they show like modeless ones).
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/form_host.h"
#include "host/headless/headless_services.h"
#include "host/headless/headless_site.h"
#include "host/headless/headless_window.h"

namespace orvo {

class HeadlessMessageHook;

class HeadlessHost : public FormHost {
 public:
  HeadlessHost();
  ~HeadlessHost() override;

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

  // Host internals the widgets use.
  HeadlessServices& HeadlessServicesRef() { return services_; }
  const LocaleSettings& Locale() const { return locale_; }
  FontRef AmbientFont() const { return ambientFont_; }
  HeadlessWindow& Form() { return form_; }
  int32_t NewHwnd() { return nextHwnd_ += 4; }
  void Register(WidgetCore* core);
  void Unregister(WidgetCore* core);
  bool Alive(uint64_t coreId) const { return cores_.count(coreId) != 0; }
  WidgetCore* CoreByHwnd(int32_t hwnd) const;
  HeadlessWindow* WindowByHwnd(int32_t hwnd) const;
  void AddWindow(HeadlessWindow* w) { windows_.push_back(w); }
  void RemoveWindow(HeadlessWindow* w);
  // Focus to a widget of any window, activating its window; Error 5 when it cannot.
  void SetFocusTo(WidgetCore* core);
  HeadlessWindow* ActiveWindow() const { return active_; }
  // Makes a window the active one: WM_ACTIVATE to hooks on the old and the new window.
  void Activate(HeadlessWindow* window);
  void RequestPaint(HeadlessWindow* window);
  void SendHookMessage(int32_t hwnd, int32_t msg);
  void AddHook(HeadlessMessageHook* h) { hooks_.push_back(h); }
  void RemoveHook(HeadlessMessageHook* h);
  void QueueInjectedKey(uint8_t vk, int32_t flags);
  std::vector<HeadlessSite*> SiteList() const;
  Rect ScreenRectPixels(const WidgetCore* core) const;

 private:
  WidgetCore* PreferredTarget(HeadlessSite& site) const;
  void Navigate(bool backwards);
  void DeliverKey(const KeyStroke& key);
  WidgetCore* KeyTarget() const;
  void MovePointerTo(const WidgetCore* core, float x, float y);

  HeadlessServices services_;
  LocaleSettings locale_;
  FontRef ambientFont_;
  int32_t nextHwnd_ = 0x1000;
  std::unordered_map<uint64_t, WidgetCore*> cores_;
  uint64_t nextCoreId_ = 0;
  std::vector<HeadlessMessageHook*> hooks_;
  std::vector<HeadlessWindow*> windows_;
  struct InjectedKey {
    uint8_t vk;
    int32_t flags;
  };
  std::deque<InjectedKey> injected_;
  bool injectedShiftDown_ = false;
  std::vector<int32_t> pendingPaints_;
  bool processing_ = false;
  float nextSiteTop_ = 120;
  // Declared last: the form and the sites go first, while the registries above live.
  HeadlessWindow form_;
  HeadlessWindow* active_ = nullptr;
  std::vector<std::unique_ptr<HeadlessSite>> sites_;
};

}  // namespace orvo
