// QtHost: the Qt 6 Widgets host. The same form, focus and key semantics as the headless host
// over real widgets; popups are real top-level windows. Runs on the offscreen platform.
//
// Supports: every widget of widgets.h (QLineEdit / QPlainTextEdit text boxes, auto-sized
// QLabel, painted picture box, image and shape, QPushButton, QScrollBar with inverted ranges,
// QListWidget), PopupForm with list box, text box, label, button and a first-cut unbound
// grid; message hooks (WM_PAINT after a popup shows or resizes, WM_SIZE, WM_ACTIVATE, also
// when the user activates another window); window styles per handle; 96 dpi, 15 twips per
// pixel. Keys arrive as QKeyEvents and go through an event filter to the notifications;
// native editing is the shared edit-key rules, so both hosts edit alike. Text is measured
// with the real font (labels, TextWidth, TextHeight differ from the headless measure).
#pragma once

#include <QHash>
#include <QObject>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/form_host.h"
#include "host/qt/qt_services.h"
#include "host/qt/qt_window.h"

class QApplication;
class QWidget;
class QKeyEvent;

namespace orvo {

class QtSite;
class QtMessageHook;

struct QtHostOptions {
  // The fixed clock starting at 2024-06-15 10:00:00 (FormHost drives it), or the real one.
  bool simulatedClock = true;
  // The regional settings of QLocale::system() instead of pt-BR until SetLocale.
  bool systemLocale = false;
};

class QtHost : public FormHost {
 public:
  explicit QtHost(QtHostOptions options = {});
  ~QtHost() override;

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
  bool FormShown() const override { return form_->Shown(); }
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

  // The form's window, and a PNG of it and every shown popup; false when it cannot write.
  QWidget* FormWidget() const;
  bool SaveScreenshot(const std::string& path);

  // Host internals.
  QtServices& QtServicesRef() { return services_; }
  const LocaleSettings& Locale() const { return locale_; }
  FontRef AmbientFont() const { return ambientFont_; }
  QtWindow& Form() { return *form_; }
  int32_t NewHwnd() { return nextHwnd_ += 4; }
  void Register(QtCore* core);
  // Events of `w` (a viewport, say) go to `core` too.
  void AlsoRoute(QWidget* w, QtCore* core);
  void Unregister(QtCore* core);
  bool Alive(uint64_t id) const { return cores_.count(id) != 0; }
  QtCore* CoreByHwnd(int32_t hwnd) const;
  QtCore* CoreOfObject(QObject* o) const { return byObject_.value(o, nullptr); }
  QtWindow* WindowByHwnd(int32_t hwnd) const;
  QtWindow* WindowOfTop(QObject* o) const;
  void AddWindow(QtWindow* w) { windows_.push_back(w); }
  void RemoveWindow(QtWindow* w);
  void WatchTopLevel(QWidget* top);
  void SetFocusTo(QtCore* core);
  QtWindow* ActiveWindow() const { return active_; }
  void Activate(QtWindow* window);
  void MirrorFocus(QtWindow* window, QtCore* target);
  void RequestPaint(QtWindow* window);
  void SendHookMessage(int32_t hwnd, int32_t msg);
  void AddHook(QtMessageHook* h) { hooks_.push_back(h); }
  void RemoveHook(QtMessageHook* h);
  void QueueInjectedKey(uint8_t vk, int32_t flags);
  std::vector<QtSite*> SiteList() const;
  Rect ScreenRectPixels(const QtCore* core) const;
  bool SyncingFocus() const { return syncingFocus_ > 0; }
  // Deletes a widget of ours, later when Qt is delivering an event to it or a child of it
  // (a handler that destroys the box its key is in).
  void DisposeWidget(QWidget* w);
  // Marks the objects Qt is delivering events to, around the handlers the filter calls.
  struct Delivering {
    Delivering(QtHost& h, QObject* o) : host(h) { host.delivering_.push_back(o); }
    ~Delivering() { host.delivering_.pop_back(); }
    QtHost& host;
  };
  // Qt focus moves made while one lives are the host's own, not the user's.
  struct FocusSync {
    explicit FocusSync(QtHost& h) : host(h) { ++host.syncingFocus_; }
    ~FocusSync() { --host.syncingFocus_; }
    QtHost& host;
  };

  // From the event filter: a key event on a widget of this host, focus taken by the user,
  // a mouse event, an activation change of a top-level window.
  void OnKeyPressEvent(QtCore* core, QtWindow* window, const KeyStroke& stroke);
  void OnKeyReleaseEvent(QtCore* core, const KeyStroke& stroke);
  void OnUserFocus(QtCore* core);
  void OnUserMouse(QtCore* core, int kind, int16_t button, int16_t shift, float x, float y);
  void OnUserActivation(QtWindow* window, bool activated);
  // The stroke that the key event now being sent stands for (exact codes for our own sends).
  const KeyStroke* SendingStroke(const QKeyEvent* e) const;

 private:
  QtCore* PreferredTarget(QtSite& site) const;
  void Navigate(bool backwards);
  QtCore* KeyTarget() const;
  QWidget* KeyReceiver() const;
  void MovePointerTo(const QtCore* core, float x, float y);
  void SchedulePending();

  std::unique_ptr<QApplication> ownedApp_;
  QtServices services_;
  LocaleSettings locale_;
  FontRef ambientFont_;
  int32_t nextHwnd_ = 0x1000;
  std::unordered_map<uint64_t, QtCore*> cores_;
  QHash<QObject*, QtCore*> byObject_;
  uint64_t nextCoreId_ = 0;
  std::vector<QtMessageHook*> hooks_;
  std::vector<QtWindow*> windows_;
  struct InjectedKey {
    uint8_t vk;
    int32_t flags;
  };
  std::deque<InjectedKey> injected_;
  bool injectedShiftDown_ = false;
  std::vector<int32_t> pendingPaints_;
  bool processing_ = false;
  bool pendingScheduled_ = false;
  int syncingFocus_ = 0;
  std::vector<QObject*> delivering_;
  float nextSiteTop_ = 120;
  const QKeyEvent* sendingEvent_ = nullptr;
  KeyStroke sendingStroke_;
  std::unique_ptr<QObject> router_;
  std::unique_ptr<QWidget> formWidget_;
  std::unique_ptr<QtWindow> form_;
  QtWindow* active_ = nullptr;
  std::vector<std::unique_ptr<QtSite>> sites_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orvo
