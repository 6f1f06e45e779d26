// The Qt host: application, form window, sites, activation, clicks and pending events.
#include "host/qt/qt_host.h"

#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "base/error.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_data_grid.h"
#include "host/qt/qt_event_router.h"
#include "host/qt/qt_list_box.h"
#include "host/qt/qt_message_hook.h"
#include "host/qt/qt_popup_form.h"
#include "host/qt/qt_site.h"
#include "host/qt/qt_text_box.h"
#include "host/qt/qt_widgets.h"

namespace orvo {

namespace {

constexpr float kSiteGap = 120;
constexpr int kPendingBudget = 500;

QtSite& AsQt(ControlSite& site) {
  return static_cast<QtSite&>(site);
}

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

bool Reachable(const QtCore* core) {
  if (!core->window || !core->window->Shown()) return false;
  for (const QtCore* c = core; c; c = c->parent)
    if (!c->visible || !c->enabled) return false;
  if (core->site) {
    const QtCore& s = core->site->Surface();
    if (!s.visible || !s.enabled) return false;
  }
  return true;
}

std::string QtDateFormatToClassic(const QString& f) {
  std::string out;
  for (QChar c : f) {
    char ch = static_cast<char>(c.toLatin1());
    if (ch == 'M') ch = 'm';
    out.push_back(ch);
  }
  return out;
}

LocaleSettings FromQLocale(const QLocale& q) {
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

}  // namespace

QtHost::QtHost(QtHostOptions options)
    : ownedApp_(EnsureApplication()),
      services_(*this, options.simulatedClock),
      locale_(options.systemLocale ? FromQLocale(QLocale::system()) : LocaleSettings::PtBR()),
      ambientFont_(std::make_shared<orvo::Font>()) {
  router_ = std::make_unique<QtEventRouter>(*this);
  formWidget_ = std::make_unique<QWidget>();
  formWidget_->setWindowTitle(QStringLiteral("OrvoMask"));
  formWidget_->setGeometry(0, 0, 200, 100);
  form_ = std::make_unique<QtWindow>(*this, nullptr, formWidget_.get());
  WatchTopLevel(formWidget_.get());
  active_ = form_.get();
}

QtHost::~QtHost() {
  FocusSync sync(*this);
  sites_.clear();
  form_.reset();
  formWidget_.reset();
}

QWidget* QtHost::FormWidget() const {
  return formWidget_.get();
}

ControlSite& QtHost::CreateSite(const std::string& name, const SiteOptions& options) {
  if (FindSite(name, options.index))
    RaiseError(err::kInvalidProcedureCall,
               "a control named " + ControlDisplayName(name, options.index) + " exists");
  auto site = std::make_unique<QtSite>(*this, name, options, locale_);
  site->Place(kSiteGap, nextSiteTop_, options.width, options.height);
  nextSiteTop_ += options.height + kSiteGap;
  sites_.push_back(std::move(site));
  int width = 0, height = 0;
  for (QtSite* s : SiteList()) {
    width = std::max(width, ToPixels(s->Surface().left + s->Surface().width + kSiteGap));
    height = std::max(height, ToPixels(s->Surface().top + s->Surface().height + kSiteGap));
  }
  formWidget_->resize(std::max(width, 200), std::max(height, 100));
  return *sites_.back();
}

void QtHost::RegisterControl(ControlSite& site, OrvoMask* control) {
  AsQt(site).SetControl(control);
}

ControlSite* QtHost::FindSite(const std::string& name, std::optional<int16_t> index) {
  for (auto& s : sites_)
    if (s->Name() == name && s->ArrayIndex() == index) return s.get();
  return nullptr;
}

std::vector<ControlSite*> QtHost::Sites() {
  std::vector<ControlSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

std::vector<QtSite*> QtHost::SiteList() const {
  std::vector<QtSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

void QtHost::RemoveControl(ControlSite& site) {
  QtSite* s = &AsQt(site);
  FocusSync sync(*this);
  form_->ForgetSite(s);
  for (auto& [id, core] : cores_) {
    if (core->site != s || core == &s->Surface()) continue;
    core->site = nullptr;
    // Widgets the library still holds leave the surface before it goes.
    if (core->qwidget && core->qwidget->parentWidget() == s->SurfaceWidget()) {
      core->qwidget->hide();
      core->qwidget->setParent(nullptr);
    }
  }
  sites_.erase(
      std::remove_if(sites_.begin(), sites_.end(), [&](const auto& p) { return p.get() == s; }),
      sites_.end());
}

void QtHost::PlaceControl(ControlSite& site, float left, float top, float width, float height) {
  AsQt(site).Place(left, top, width, height);
  ProcessPending();
}

void QtHost::ResizeControl(ControlSite& site, float width, float height) {
  AsQt(site).Resize(width, height);
  ProcessPending();
}

void QtHost::SetControlVisible(ControlSite& site, bool visible) {
  AsQt(site).Surface().visible = visible;
  AsQt(site).Surface().Sync();
}

void QtHost::SetControlEnabled(ControlSite& site, bool enabled) {
  AsQt(site).Surface().enabled = enabled;
  AsQt(site).Surface().Sync();
}

void QtHost::ShowForm() {
  if (!form_->Shown()) {
    form_->SetShown(true);
    MirrorFocus(form_.get(), form_->Focused());
    formWidget_->show();
  }
  for (QtSite* s : SiteList()) {
    if (s->ShowRaised()) continue;
    s->SetShowRaised();
    if (auto show = s->Handlers().OnShow) show();
  }
  ProcessPending();
}

void QtHost::Register(QtCore* core) {
  core->id = ++nextCoreId_;
  cores_[core->id] = core;
  if (core->qwidget) {
    byObject_.insert(core->qwidget, core);
    core->qwidget->installEventFilter(router_.get());
  }
  if (core->window) core->window->Add(core);
}

void QtHost::AlsoRoute(QWidget* w, QtCore* core) {
  byObject_.insert(w, core);
  w->installEventFilter(router_.get());
}

void QtHost::Unregister(QtCore* core) {
  FocusSync sync(*this);
  cores_.erase(core->id);
  for (auto it = byObject_.begin(); it != byObject_.end();)
    it = it.value() == core ? byObject_.erase(it) : std::next(it);
  // Children the library still holds move to the surface (or window) before this widget goes.
  for (auto& [id, c] : cores_) {
    if (c->parent != core || !c->qwidget) continue;
    QWidget* fallback =
        c->site ? c->site->SurfaceWidget() : (c->window ? c->window->Top() : nullptr);
    c->qwidget->setParent(fallback);
    c->parent = nullptr;
    c->Sync();
  }
  if (core->window) core->window->Remove(core);
}

void QtHost::DisposeWidget(QWidget* w) {
  if (!w) return;
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

QtCore* QtHost::CoreByHwnd(int32_t hwnd) const {
  if (hwnd == 0) return nullptr;
  for (const auto& [id, core] : cores_)
    if (core->hwnd == hwnd) return core;
  return nullptr;
}

QtWindow* QtHost::WindowByHwnd(int32_t hwnd) const {
  for (QtWindow* w : windows_)
    if (w->Hwnd() == hwnd) return w;
  return nullptr;
}

QtWindow* QtHost::WindowOfTop(QObject* o) const {
  for (QtWindow* w : windows_)
    if (w->Top() == o) return w;
  return nullptr;
}

void QtHost::RemoveWindow(QtWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  if (active_ == w) active_ = w == form_.get() ? nullptr : form_.get();
}

void QtHost::WatchTopLevel(QWidget* top) {
  top->installEventFilter(router_.get());
}

void QtHost::SetFocusTo(QtCore* core) {
  QtWindow* w = core->window;
  if (!w || !w->CanFocus(core))
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  Activate(w);
  w->MoveFocus(core);
}

void QtHost::MirrorFocus(QtWindow* window, QtCore* target) {
  FocusSync sync(*this);
  // With no widget focused the window itself holds Qt's focus, so activating it puts no
  // caret anywhere.
  if (target && target->qwidget)
    target->qwidget->setFocus(Qt::OtherFocusReason);
  else if (window->Top())
    window->Top()->setFocus(Qt::OtherFocusReason);
}

void QtHost::Activate(QtWindow* window) {
  if (window == active_) return;
  QtWindow* old = active_;
  active_ = window;
  if (old) SendHookMessage(old->Hwnd(), kWmActivate);
  if (window) {
    SendHookMessage(window->Hwnd(), kWmActivate);
    if (QtPopupForm* popup = window->Popup())
      if (auto activate = popup->OnActivate) activate();
  }
}

void QtHost::OnUserActivation(QtWindow* window, bool activated) {
  if (activated) {
    if (window != active_ && window->Shown()) Activate(window);
    return;
  }
  if (window != active_) return;
  // Which window took over is known once the deactivation has been handled.
  int32_t hwnd = window->Hwnd();
  QTimer::singleShot(0, router_.get(), [this, hwnd] {
    if (!active_ || active_->Hwnd() != hwnd) return;
    QWidget* now = QApplication::activeWindow();
    QtWindow* w = now ? WindowOfTop(now) : nullptr;
    if (w == active_) return;
    services_.ForgetCursor();
    Activate(w);
    ProcessPending();
  });
}

void QtHost::RequestPaint(QtWindow* window) {
  if (std::find(pendingPaints_.begin(), pendingPaints_.end(), window->Hwnd()) ==
      pendingPaints_.end())
    pendingPaints_.push_back(window->Hwnd());
  SchedulePending();
}

void QtHost::SendHookMessage(int32_t hwnd, int32_t msg) {
  std::vector<QtMessageHook*> hooks = hooks_;
  for (QtMessageHook* h : hooks)
    if (std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end()) h->Deliver(hwnd, msg);
}

void QtHost::RemoveHook(QtMessageHook* h) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), h), hooks_.end());
}

void QtHost::QueueInjectedKey(uint8_t vk, int32_t flags) {
  injected_.push_back({vk, flags});
  SchedulePending();
}

// In an application's own event loop the pending events run when it is idle; FormHost
// operations run them before they return.
void QtHost::SchedulePending() {
  if (pendingScheduled_) return;
  pendingScheduled_ = true;
  QTimer::singleShot(0, router_.get(), [this] {
    pendingScheduled_ = false;
    ProcessPending();
  });
}

void QtHost::ProcessPending() {
  if (processing_) return;
  processing_ = true;
  int budget = kPendingBudget;
  while (budget-- > 0) {
    if (!injected_.empty()) {
      InjectedKey k = injected_.front();
      injected_.pop_front();
      bool up = (k.flags & kKeyUp) != 0;
      if (k.vk == kVkShift) {
        injectedShiftDown_ = !up;
      } else if (!up) {
        KeyStroke stroke{k.vk, static_cast<int16_t>(injectedShiftDown_ ? kShiftMask : 0), 0};
        if (k.vk == 13 || k.vk == 8 || k.vk == 27 || k.vk == 32) stroke.keyAscii = k.vk;
        SendKey(stroke);
      }
      continue;
    }
    if (!pendingPaints_.empty()) {
      int32_t hwnd = pendingPaints_.front();
      pendingPaints_.erase(pendingPaints_.begin());
      QtWindow* w = WindowByHwnd(hwnd);
      if (!w || !w->Shown()) continue;
      if (QtPopupForm* popup = w->Popup())
        if (auto paint = popup->OnPaint) paint();
      SendHookMessage(hwnd, kWmPaint);
      continue;
    }
    break;
  }
  if (budget < 0) injected_.clear();
  processing_ = false;
}

Rect QtHost::ScreenRectPixels(const QtCore* core) const {
  float x, y;
  if (core->kind == QtKind::Popup || !core->window) {
    x = core->left, y = core->top;
  } else {
    x = core->window->ScreenX(core), y = core->window->ScreenY(core);
  }
  auto px = [](float twips) { return static_cast<int32_t>(std::lround(twips / 15)); };
  return {px(x), px(y), px(x + core->width), px(y + core->height)};
}

void QtHost::MovePointerTo(const QtCore* core, float x, float y) {
  Rect r = ScreenRectPixels(core);
  services_.SetCursor(
      {r.left + static_cast<int32_t>(x / 15), r.top + static_cast<int32_t>(y / 15)});
}

QtCore* QtHost::PreferredTarget(QtSite& site) const {
  QtCore* picture = nullptr;
  for (QtCore* c : form_->Cores()) {
    if (c->site != &site || !form_->CanFocus(c)) continue;
    if (c->kind == QtKind::TextBox) return c;
    if (c->kind == QtKind::PictureBox && !picture) picture = c;
  }
  if (picture) return picture;
  return form_->CanFocus(&site.Surface()) ? &site.Surface() : nullptr;
}

void QtHost::FocusControl(ControlSite& site) {
  QtCore* target = PreferredTarget(AsQt(site));
  if (!target)
    RaiseError(err::kInvalidProcedureCall, AsQt(site).DisplayName() + " cannot take the focus");
  Activate(form_.get());
  form_->MoveFocus(target);
  ProcessPending();
}

void QtHost::OnUserFocus(QtCore* core) {
  QtWindow* w = core->window;
  if (!w || !w->CanFocus(core) || w->Focused() == core) return;
  Activate(w);
  w->MoveFocus(core);
}

void QtHost::Click(Widget& widget, float x, float y) {
  QtCore* core = QtCoreOf(&widget);
  if (!core || !Reachable(core)) return;
  QtWindow* w = core->window;
  MovePointerTo(core, x, y);
  Activate(w);
  uint64_t id = core->id;
  if (w->CanFocus(core)) w->MoveFocus(core);
  float sx = x, sy = y;
  if (core->kind == QtKind::Popup) {
    auto& popup = static_cast<QtPopupForm&>(widget);
    sx = x * popup.ScaleWidth() / std::max(1.0f, core->width);
    sy = y * popup.ScaleHeight() / std::max(1.0f, core->height);
  }
  auto mouse = [&](const MouseHandler& h) {
    if (!Alive(id)) return;
    int16_t button = 1, shift = 0;
    float mx = sx, my = sy;
    if (auto copy = h) copy(button, shift, mx, my);
  };
  mouse(widget.OnMouseDown);
  if (Alive(id) && core->kind == QtKind::ListBox) {
    auto& list = static_cast<QtListBox&>(widget);
    int16_t row = list.RowAt(y);
    if (row >= 0) list.SetListIndex(row);
  }
  if (Alive(id) && core->kind == QtKind::DataGrid) {
    auto& grid = static_cast<QtDataGrid&>(widget);
    int16_t row = grid.RowAt(y);
    if (row >= 0) grid.SetRow(row);
  }
  mouse(widget.OnMouseUp);
  if (Alive(id) && core->kind != QtKind::ListBox)
    if (auto click = widget.OnClick) click();
  ProcessPending();
}

// The user's own mouse on a display: focus came through OnUserFocus before the press.
void QtHost::OnUserMouse(QtCore* core, int kind, int16_t button, int16_t shift, float x, float y) {
  services_.ForgetCursor();
  MouseHandler handler;
  if (core->kind == QtKind::Surface) {
    const SurfaceHandlers& h = core->site->Handlers();
    handler = kind == 0 ? h.OnMouseDown : kind == 1 ? h.OnMouseUp : h.OnMouseMove;
  } else if (core->widget) {
    handler = kind == 0   ? core->widget->OnMouseDown
              : kind == 1 ? core->widget->OnMouseUp
                          : core->widget->OnMouseMove;
  }
  uint64_t id = core->id;
  if (handler) handler(button, shift, x, y);
  bool clickKind = core->kind != QtKind::Button && core->kind != QtKind::ListBox &&
                   core->kind != QtKind::Surface && core->kind != QtKind::ScrollBar;
  if (kind == 1 && clickKind && Alive(id) && core->widget)
    if (auto click = core->widget->OnClick) click();
}

void QtHost::ClickSurface(ControlSite& site, float x, float y) {
  QtSite& s = AsQt(site);
  QtCore* surface = &s.Surface();
  if (!Reachable(surface)) return;
  MovePointerTo(surface, x, y);
  Activate(form_.get());
  if (QtCore* target = PreferredTarget(s)) form_->MoveFocus(target);
  for (const MouseHandler* h : {&s.Handlers().OnMouseDown, &s.Handlers().OnMouseUp}) {
    if (!FindSite(s.Name(), s.ArrayIndex())) break;
    int16_t button = 1, shift = 0;
    float mx = x, my = y;
    if (auto copy = *h) copy(button, shift, mx, my);
  }
  ProcessPending();
}

void QtHost::ClickScrollBar(ScrollBar& bar, ScrollPart part) {
  QtCore* core = QtCoreOf(&bar);
  if (!core || !Reachable(core)) return;
  bool vertical = bar.Vertical();
  bool minEnd = part == ScrollPart::ArrowMin || part == ScrollPart::PageMin;
  float x = vertical ? core->width / 2 : (minEnd ? 30 : core->width - 30);
  float y = vertical ? (minEnd ? 30 : core->height - 30) : core->height / 2;
  MovePointerTo(core, x, y);
  Activate(core->window);
  uint64_t id = core->id;
  if (core->window->CanFocus(core)) core->window->MoveFocus(core);
  if (Alive(id)) static_cast<QtScrollBar&>(bar).Step(part);
  ProcessPending();
}

void QtHost::ActivateOutside() {
  services_.SetCursor({799, 799});
  Activate(nullptr);
  ProcessPending();
}

std::string QtHost::FocusName() const {
  if (active_ != form_.get()) return "";
  QtCore* f = form_->Focused();
  return f && f->site ? f->site->DisplayName() : "";
}

Widget* QtHost::FocusedWidget() const {
  if (!active_) return nullptr;
  QtCore* f = active_->Focused();
  return f ? f->widget : nullptr;
}

bool QtHost::SaveScreenshot(const std::string& path) {
  QCoreApplication::processEvents();
  QRect area = formWidget_->geometry();
  std::vector<QtPopupForm*> popups;
  for (QtWindow* w : windows_)
    if (w->Popup() && w->Shown()) {
      popups.push_back(w->Popup());
      area = area.united(w->Popup()->TopWidget()->geometry());
    }
  QImage image(area.size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawPixmap(formWidget_->geometry().topLeft() - area.topLeft(), formWidget_->grab());
  for (QtPopupForm* p : popups)
    painter.drawPixmap(p->TopWidget()->geometry().topLeft() - area.topLeft(),
                       p->TopWidget()->grab());
  painter.end();
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace orvo
