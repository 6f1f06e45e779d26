// QtPlatform: what the host model asks of Qt: a QWidget view per widget, the form window,
// key events sent through Qt, the real font's metrics, and Qt's clipboard, beep, screen,
// pointer and event loop. Its event filter turns Qt's events into the model's input.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "base/error.h"
#include "base/key_strokes.h"
#include "base/locale_settings.h"
#include "host/core/host_platform.h"

class QApplication;
class QKeyEvent;
class QScreen;
class QWidget;
class QWindow;

namespace orvo {

class CoreHost;
class QtView;

class QtPlatform : public HostPlatform {
 public:
  // With `embedIn`, the form is a child widget of it (a field in an application's own window)
  // rather than a window of its own.
  explicit QtPlatform(QWidget* embedIn = nullptr);
  ~QtPlatform() override;

  void SetHost(CoreHost* host);
  CoreHost& Host() const { return *host_; }
  // The model is going away: Qt's events no longer reach it.
  void Close() { closed_ = true; }
  QWidget* FormWidget() const { return formWidget_.get(); }
  // Views whose nodes were made shown wait for the model's current work to end before they
  // make their widgets (a control hides most of its parts right after making them); they are
  // made from the event loop, or before anything shows, focuses or sends keys to a widget.
  void Defer(QtView* view);
  void ForgetDeferred(QtView* view);
  void MakeDeferredViews() const;
  bool Embedded() const { return embedded_; }
  // Where Tab past the form's last control goes when the form is embedded.
  void SetTabOut(std::function<bool(bool backwards)> tabOut) { tabOut_ = std::move(tabOut); }
  LocaleSettings SystemLocale() const;

  // HostPlatform.
  std::unique_ptr<WidgetView> CreateView(WidgetNode& node) override;
  void ShowWindow(CoreWindow& window, bool shown) override;
  void WindowActivated(CoreWindow* window) override;
  void FormFrameChanged(const std::string& title, float width, float height) override;
  void FocusMoved(CoreWindow& window, WidgetNode* focused) override;
  bool TabOutOfForm(bool backwards) override { return tabOut_ && tabOut_(backwards); }
  bool SendKey(WidgetNode* target, const KeyStroke& key) override;
  void ScheduleIdle() override;
  void ProcessEvents() override;
  float TextWidth(const Font* font, const std::string& text) const override;
  float TextHeight(const Font* font, const std::string& text) const override;
  float CharWidth(const Font* font) const override;
  float TwipsPerPixelX() const override;
  float TwipsPerPixelY() const override;
  std::optional<Point> FormOrigin() const override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  std::optional<Point> PointerPos() const override;
  void SetScreenMousePointer(int16_t pointer) override;
  double RealNow() const override;
  void Beep() override;
  bool SetClipboard(const std::string& text) override;
  std::string Clipboard() const override;

  // The views' side: Qt events of `w` go to `node` (a text box's viewport, say); the window
  // a top-level widget stands for; the widget a node's view sits in.
  void Route(QObject* w, WidgetNode* node);
  void Unroute(QObject* w);
  WidgetNode* RoutedNode(QObject* w) const { return byObject_.value(w, nullptr); }
  void WatchTopLevel(QWidget* top, CoreWindow* window);
  QWidget* ParentFor(const WidgetNode& node) const;
  QWidget* TopOf(const CoreWindow* window) const;
  // Deletes a view's widget, later when Qt is delivering an event to it or a child of it
  // (a handler that destroys the box its key is in).
  void DisposeWidget(QWidget* w);
  bool Syncing() const { return closed_ || syncing_ > 0; }
  // Qt focus moves made while one lives are the model's own, not the user's.
  struct FocusSync {
    explicit FocusSync(QtPlatform& p) : platform(p) { ++platform.syncing_; }
    ~FocusSync() { --platform.syncing_; }
    QtPlatform& platform;
  };

  // The event filter on every widget and window: Qt's events as the model's input.
  bool Filter(QObject* watched, QEvent* event);

  // Runs the model's handling of one piece of the user's input. An orvo::Error it raises goes
  // to the error sink (Qt's warnings when none is set): it must not cross Qt's event loop.
  template <typename F>
  void HandlingInput(F&& handle) {
    try {
      handle();
    } catch (const Error& e) {
      ReportInputError(e);
    }
  }
  void SetInputErrorSink(std::function<void(const Error&)> sink) { errorSink_ = std::move(sink); }
  void ReportInputError(const Error& e);

 private:
  // The form's window moved to another screen, or its screen's dots per inch changed: the
  // conversion between twips and pixels follows, and the form is laid out again in the new
  // pixels.
  void FollowScreen(QScreen* screen);
  // Watches the screen under the window the form stands in (its own, or the application's
  // it is embedded in), once that window exists.
  void WatchWindowScreen();
  void ShowInNewPixels(bool rescaled);
  void UserActivatedLater(CoreWindow* window);
  void UserDeactivated(CoreWindow* window);
  // The stroke that the key event now being sent stands for (exact codes for our own sends).
  const KeyStroke* SendingStroke(const QKeyEvent* e) const;
  // The model's window a top-level Qt window stands for (an embedded form: the window it
  // sits in).
  CoreWindow* WindowOfTop(QWidget* top) const;

  std::unique_ptr<QApplication> ownedApp_;
  CoreHost* host_ = nullptr;
  bool closed_ = false;
  bool embedded_ = false;
  float laidOutFor_ = 0;  // the twips per pixel the form was last laid out for
  std::function<bool(bool)> tabOut_;
  int syncing_ = 0;
  // The window the model last asked the window system to activate, until the window system
  // reports it active (or gives up): activations of other windows reported meanwhile were
  // asked for earlier and are stale.
  int32_t requestedHwnd_ = 0;
  std::function<void(const Error&)> errorSink_;
  QElapsedTimer requestedAt_;
  bool idleScheduled_ = false;
  int wheelRest_ = 0;  // eighths of a degree of wheel not yet a whole notch
  QHash<QObject*, WidgetNode*> byObject_;
  QHash<QObject*, CoreWindow*> tops_;
  std::vector<QObject*> delivering_;
  mutable std::vector<QtView*> deferred_;
  bool deferredScheduled_ = false;
  const QKeyEvent* sendingEvent_ = nullptr;
  KeyStroke sendingStroke_;
  std::unique_ptr<QObject> router_;
  std::unique_ptr<QObject> screenWatch_;
  QPointer<QWindow> watchedWindow_;
  QPointer<QScreen> watchedScreen_;
  QMetaObject::Connection windowScreenChange_, screenDpiChange_;
  std::unique_ptr<QWidget> formWidget_;
};

}  // namespace orvo
