// The Qt platform: the form window, views, key sending, focus mirroring and Qt's services.
#include "host/qt/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "base/dates.h"
#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

// With no display the host runs on the offscreen platform.
std::unique_ptr<QApplication> EnsureApplication() {
  if (QCoreApplication::instance()) return nullptr;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "orvomask";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

class QtEventRouter : public QObject {
 public:
  explicit QtEventRouter(QtPlatform& platform) : platform_(platform) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    bool taken = false, failed = true;
    platform_.HandlingInput([&] {
      taken = platform_.Filter(watched, event);
      failed = false;
    });
    // A key whose handling failed is still the model's: Qt's editor would type it behind the
    // model's back.
    if (failed)
      return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
             event->type() == QEvent::ShortcutOverride;
    return taken;
  }

 private:
  QtPlatform& platform_;
};

// Shows of the form: the window it stands in exists from its first show on, and an embedded
// form may be shown in another application window than before.
class ScreenWatch : public QObject {
 public:
  explicit ScreenWatch(std::function<void()> watch) : watch_(std::move(watch)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) watch_();
    return false;
  }

 private:
  std::function<void()> watch_;
};

std::string QtDateFormatToClassic(const QString& f) {
  std::string out;
  for (QChar c : f) out.push_back(c == QChar('M') ? 'm' : static_cast<char>(c.toLatin1()));
  return out;
}

}  // namespace

QtPlatform::QtPlatform(QWidget* embedIn)
    : ownedApp_(EnsureApplication()),
      embedded_(embedIn != nullptr),
      laidOutFor_(QtTwipsPerPixel()) {
  router_ = std::make_unique<QtEventRouter>(*this);
  formWidget_ = std::make_unique<QWidget>(embedIn);
  if (!embedded_) {
    formWidget_->setWindowTitle(QStringLiteral("OrvoMask"));
    formWidget_->setGeometry(0, 0, 200, 100);
  }
  formWidget_->installEventFilter(router_.get());
  screenWatch_ = std::make_unique<ScreenWatch>([this] { WatchWindowScreen(); });
  formWidget_->installEventFilter(screenWatch_.get());
}

void QtPlatform::WatchWindowScreen() {
  QWindow* window = formWidget_ ? formWidget_->window()->windowHandle() : nullptr;
  if (!window) return;
  if (window != watchedWindow_) {
    QObject::disconnect(windowScreenChange_);
    watchedWindow_ = window;
    windowScreenChange_ = QObject::connect(window, &QWindow::screenChanged, router_.get(),
                                           [this](QScreen* screen) { FollowScreen(screen); });
  }
  FollowScreen(window->screen());
}

void QtPlatform::FollowScreen(QScreen* screen) {
  const bool moved = screen != watchedScreen_;
  if (moved) {
    QObject::disconnect(screenDpiChange_);
    watchedScreen_ = screen;
    if (screen)
      screenDpiChange_ = QObject::connect(screen, &QScreen::logicalDotsPerInchChanged,
                                          router_.get(), [this, screen] { FollowScreen(screen); });
  }
  // The value is the process's: another form on the same window may have followed first.
  FollowScreenDpi(screen);
  const bool rescaled = QtTwipsPerPixel() != laidOutFor_;
  laidOutFor_ = QtTwipsPerPixel();
  // Another screen may have other device pixels for the same dpi: the views draw again.
  if (moved || rescaled) ShowInNewPixels(rescaled);
}

// Every view takes its place again in the new pixels (a popup's drawing, kept in twips,
// repaints with it). When a pixel holds other twips, each control, told of a resize as the
// control expects to be, lays its parts out again for the new size of a pixel.
void QtPlatform::ShowInNewPixels(bool rescaled) {
  if (closed_ || !host_) return;
  std::vector<WidgetNode*> nodes;
  for (WidgetNode* node : byObject_)
    if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) nodes.push_back(node);
  for (WidgetNode* node : nodes) node->Show(change::kGeometry | change::kRepaint);
  if (!rescaled) return;
  if (!embedded_ && host_->FormWidth() > 0)
    FormFrameChanged(host_->FormTitle(), host_->FormWidth(), host_->FormHeight());
  for (ControlSite* site : host_->Sites())
    HandlingInput([&] {
      if (auto resize = static_cast<CoreSite*>(site)->Handlers().OnResize) resize();
    });
}

QtPlatform::~QtPlatform() {
  closed_ = true;
  formWidget_.reset();
}

// An embedded form takes the size its application's layout gives it.
void QtPlatform::FormFrameChanged(const std::string& title, float width, float height) {
  if (embedded_) return;
  formWidget_->setWindowTitle(FromLatin1(title));
  formWidget_->resize(std::max(1, ToPixels(width)), std::max(1, ToPixels(height)));
}

void QtPlatform::SetHost(CoreHost* host) {
  host_ = host;
  tops_.insert(formWidget_.get(), &host->Form());
}

std::unique_ptr<WidgetView> QtPlatform::CreateView(WidgetNode& node) {
  std::unique_ptr<WidgetView> view = MakeQtView(*this, node);
  if (auto* qtView = dynamic_cast<QtView*>(view.get())) qtView->KeepOutOfQtTabChain();
  return view;
}

void QtPlatform::Defer(QtView* view) {
  deferred_.push_back(view);
  if (deferredScheduled_ || closed_) return;
  deferredScheduled_ = true;
  QTimer::singleShot(0, router_.get(), [this] {
    deferredScheduled_ = false;
    MakeDeferredViews();
  });
}

void QtPlatform::ForgetDeferred(QtView* view) {
  std::replace(deferred_.begin(), deferred_.end(), view, static_cast<QtView*>(nullptr));
}

// A view made meanwhile may defer others (a popup's parts): they are made too.
void QtPlatform::MakeDeferredViews() const {
  for (size_t i = 0; i < deferred_.size() && !closed_; ++i)
    if (QtView* view = std::exchange(deferred_[i], nullptr)) view->MakeDeferred();
  if (!closed_) deferred_.clear();
}

CoreWindow* QtPlatform::WindowOfTop(QWidget* top) const {
  if (!top) return nullptr;
  if (CoreWindow* w = tops_.value(top, nullptr)) return w;
  return embedded_ && top == formWidget_->window() ? &host_->Form() : nullptr;
}

QWidget* QtPlatform::TopOf(const CoreWindow* window) const {
  if (!window) return nullptr;
  if (CorePopupForm* popup = window->Popup()) return QtView::WidgetOf(popup->Node());
  return formWidget_.get();
}

QWidget* QtPlatform::ParentFor(const WidgetNode& node) const {
  if (node.detached) return nullptr;
  if (node.parent)
    if (QWidget* p = QtView::WidgetOf(*node.parent)) return p;
  if (node.site && node.kind != WidgetKind::Surface)
    if (QWidget* s = QtView::WidgetOf(node.site->Surface())) return s;
  return TopOf(node.window);
}

void QtPlatform::ShowWindow(CoreWindow& window, bool shown) {
  MakeDeferredViews();
  if (CorePopupForm* popup = window.Popup()) return popup->Node().Show(change::kShown);
  formWidget_->setVisible(shown);
}

void QtPlatform::ReportInputError(const Error& e) {
  if (errorSink_) return errorSink_(e);
  qWarning("OrvoMask: error %d: %s", static_cast<int>(e.Number()), e.Message().c_str());
}

// The window system's activation follows the model's, so that keys typed go to the window
// the model made active (an open popup takes the keyboard).
void QtPlatform::WindowActivated(CoreWindow* window) {
  QWidget* top = window && window->Shown() ? TopOf(window) : nullptr;
  if (top) top = top->window();
  if (!top || !top->isVisible() || QApplication::activeWindow() == top) return;
  FocusSync sync(*this);
  requestedHwnd_ = window->Hwnd();
  requestedAt_.start();
  top->activateWindow();
}

// With no widget focused the window itself holds Qt's focus, so activating it puts no
// caret anywhere; an embedded form with no focus leaves Qt's focus where the application
// put it.
void QtPlatform::FocusMoved(CoreWindow& window, WidgetNode* focused) {
  if (embedded_ && !focused && !window.Popup()) return;
  MakeDeferredViews();
  FocusSync sync(*this);
  QWidget* w = focused ? QtView::WidgetOf(*focused) : nullptr;
  if (!w) w = TopOf(&window);
  if (w) w->setFocus(Qt::OtherFocusReason);
}

const KeyStroke* QtPlatform::SendingStroke(const QKeyEvent* e) const {
  return e == sendingEvent_ ? &sendingStroke_ : nullptr;
}

// The key goes as a real key event to the widget that shows the model's focus, so that it
// takes the path a typed key takes.
bool QtPlatform::SendKey(WidgetNode* target, const KeyStroke& key) {
  MakeDeferredViews();
  auto receiver = [&](WidgetNode* t) {
    QWidget* w = t ? QtView::WidgetOf(*t) : nullptr;
    return w ? w : TopOf(host_->ActiveWindow());
  };
  QWidget* down = receiver(target);
  if (!down) return true;
  QString text = key.keyAscii ? QString(QChar(key.keyAscii & 0xFF)) : QString();
  QKeyEvent press(QEvent::KeyPress, QtKeyOf(key), QtModifiersOf(key.shift), text);
  sendingEvent_ = &press;
  sendingStroke_ = key;
  QCoreApplication::sendEvent(down, &press);
  sendingEvent_ = nullptr;
  if (QWidget* up = receiver(host_->KeyTarget())) {
    QKeyEvent release(QEvent::KeyRelease, QtKeyOf(key), QtModifiersOf(key.shift), text);
    sendingEvent_ = &release;
    sendingStroke_ = key;
    QCoreApplication::sendEvent(up, &release);
    sendingEvent_ = nullptr;
  }
  return true;
}

// In an application's own event loop the pending work runs when it is idle; FormHost
// operations run it before they return.
void QtPlatform::ScheduleIdle() {
  if (idleScheduled_ || closed_) return;
  idleScheduled_ = true;
  QTimer::singleShot(0, router_.get(), [this] {
    idleScheduled_ = false;
    // Pending work raises the application's events (a popup's Paint, injected keys).
    if (!closed_) HandlingInput([&] { host_->ProcessPending(); });
  });
}

void QtPlatform::ProcessEvents() {
  MakeDeferredViews();
  QCoreApplication::processEvents();
}

float QtPlatform::TextWidth(const Font* font, const std::string& text) const {
  QFontMetrics fm(ToQFont(font));
  int width = 0;
  for (QString line : FromLatin1(text).split('\n'))
    width = std::max(width, fm.horizontalAdvance(line.remove('\r')));
  return static_cast<float>(width) * QtTwipsPerPixel();
}

float QtPlatform::TextHeight(const Font* font, const std::string& text) const {
  QFontMetrics fm(ToQFont(font));
  int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  return static_cast<float>(fm.height() * lines) * QtTwipsPerPixel();
}

float QtPlatform::CharWidth(const Font* font) const {
  return static_cast<float>(QFontMetrics(ToQFont(font)).averageCharWidth()) * QtTwipsPerPixel();
}

// On the offscreen platform windows stand nowhere real (it adds a frame of its own): there
// the form stays at the screen's corner, as in the headless host. An embedded form stands
// where its window and layout put it, so that its popups open beside the field.
std::optional<Point> QtPlatform::FormOrigin() const {
  if (!formWidget_ || !formWidget_->isVisible() ||
      (!embedded_ && QGuiApplication::platformName() == QLatin1String("offscreen")))
    return std::nullopt;
  QPoint p = formWidget_->mapToGlobal(QPoint(0, 0));
  return Point{static_cast<int32_t>(p.x() * QtTwipsPerPixel()),
               static_cast<int32_t>(p.y() * QtTwipsPerPixel())};
}

float QtPlatform::TwipsPerPixelX() const {
  return QtTwipsPerPixel();
}

float QtPlatform::TwipsPerPixelY() const {
  return QtTwipsPerPixel();
}

// The screen the form stands on, whose dots per inch the twips follow.
float QtPlatform::ScreenWidth() const {
  QScreen* s = watchedScreen_ ? watchedScreen_.data() : QGuiApplication::primaryScreen();
  return s ? s->size().width() * QtTwipsPerPixel() : 12000;
}

float QtPlatform::ScreenHeight() const {
  QScreen* s = watchedScreen_ ? watchedScreen_.data() : QGuiApplication::primaryScreen();
  return s ? s->size().height() * QtTwipsPerPixel() : 12000;
}

std::optional<Point> QtPlatform::PointerPos() const {
  QPoint p = QCursor::pos();
  return Point{p.x(), p.y()};
}

void QtPlatform::SetScreenMousePointer(int16_t pointer) {
  constexpr int16_t kHourglass = 11;
  if (pointer == kHourglass)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

double QtPlatform::RealNow() const {
  QDateTime now = QDateTime::currentDateTime();
  QDate d = now.date();
  return DateSerial(d.year(), d.month(), d.day()) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

void QtPlatform::Beep() {
  QApplication::beep();
}

// A platform whose clipboard does not hand the text back leaves the model its own copy.
bool QtPlatform::SetClipboard(const std::string& text) {
  QClipboard* c = QGuiApplication::clipboard();
  if (!c) return false;
  c->setText(FromLatin1(text));
  return c->text() == FromLatin1(text);
}

std::string QtPlatform::Clipboard() const {
  QClipboard* c = QGuiApplication::clipboard();
  return c ? ToLatin1(c->text()) : std::string();
}

void QtPlatform::Route(QObject* w, WidgetNode* node) {
  byObject_.insert(w, node);
  w->installEventFilter(router_.get());
}

void QtPlatform::Unroute(QObject* w) {
  byObject_.remove(w);
  tops_.remove(w);
}

void QtPlatform::WatchTopLevel(QWidget* top, CoreWindow* window) {
  tops_.insert(top, window);
  top->installEventFilter(router_.get());
}

void QtPlatform::DisposeWidget(QWidget* w) {
  if (!w) return;
  FocusSync sync(*this);
  for (QObject* o : delivering_) {
    for (QObject* p = o; p; p = p->parent()) {
      if (p != w) continue;
      // Its handlers belong to an object that is going away.
      QObject::disconnect(w, nullptr, nullptr, nullptr);
      w->hide();
      w->setParent(nullptr);
      w->deleteLater();
      return;
    }
  }
  delete w;
}

LocaleSettings QtPlatform::SystemLocale() const {
  QLocale q = QLocale::system();
  LocaleSettings loc = LocaleSettings::PtBR();
  loc.decimalSeparator = ToLatin1(q.decimalPoint());
  loc.groupSeparator = ToLatin1(q.groupSeparator());
  QString shortDate = q.dateFormat(QLocale::ShortFormat);
  loc.dateOrder = shortDate.indexOf('M') < shortDate.indexOf('d') ? DateOrder::MonthDayYear
                                                                  : DateOrder::DayMonthYear;
  loc.shortDateFormat = QtDateFormatToClassic(shortDate);
  for (int m = 0; m < 12; ++m) {
    loc.monthNames[m] = ToLatin1(q.monthName(m + 1, QLocale::LongFormat));
    loc.monthAbbrevs[m] = ToLatin1(q.monthName(m + 1, QLocale::ShortFormat));
  }
  for (int d = 0; d < 7; ++d) {
    int qtDay = d == 0 ? 7 : d;  // Sunday first here, Monday first in Qt
    loc.weekdayNames[d] = ToLatin1(q.dayName(qtDay, QLocale::LongFormat));
    loc.weekdayAbbrevs[d] = ToLatin1(q.dayName(qtDay, QLocale::ShortFormat));
  }
  return loc;
}

}  // namespace orvo
