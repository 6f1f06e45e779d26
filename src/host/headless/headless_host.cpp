// The headless host: sites, windows, activation, clicks and the pending-event queue.
#include "host/headless/headless_host.h"

#include <algorithm>
#include <cmath>

#include "base/error.h"
#include "host/headless/headless_data_grid.h"
#include "host/headless/headless_list_box.h"
#include "host/headless/headless_message_hook.h"
#include "host/headless/headless_popup_form.h"
#include "host/headless/headless_text_box.h"
#include "host/headless/headless_widget.h"
#include "host/headless/headless_widgets.h"

namespace orvo {

namespace {

constexpr float kSiteGap = 120;  // twips between controls stacked on the form
// More pending events than this in one run means controls keep passing the focus round
// (every control disabled, each pressing Tab on entry): the rest is dropped.
constexpr int kPendingBudget = 500;

HeadlessSite& AsHeadless(ControlSite& site) {
  return static_cast<HeadlessSite&>(site);
}

// Visible and enabled up the parents, in a visible, enabled control, on a shown window.
bool Reachable(const WidgetCore* core) {
  if (!core->window || !core->window->Shown()) return false;
  for (const WidgetCore* c = core; c; c = c->parent)
    if (!c->visible || !c->enabled) return false;
  if (core->site) {
    const WidgetCore& s = core->site->Surface();
    if (!s.visible || !s.enabled) return false;
  }
  return true;
}

}  // namespace

HeadlessHost::HeadlessHost()
    : services_(*this),
      locale_(LocaleSettings::PtBR()),
      ambientFont_(std::make_shared<orvo::Font>()),
      form_(*this, nullptr) {
  active_ = &form_;
}

HeadlessHost::~HeadlessHost() {
  sites_.clear();
}

ControlSite& HeadlessHost::CreateSite(const std::string& name, const SiteOptions& options) {
  if (FindSite(name, options.index))
    RaiseError(err::kInvalidProcedureCall,
               "a control named " + ControlDisplayName(name, options.index) + " exists");
  auto site = std::make_unique<HeadlessSite>(*this, name, options, locale_);
  site->Place(kSiteGap, nextSiteTop_, options.width, options.height);
  nextSiteTop_ += options.height + kSiteGap;
  sites_.push_back(std::move(site));
  return *sites_.back();
}

void HeadlessHost::RegisterControl(ControlSite& site, OrvoMask* control) {
  AsHeadless(site).SetControl(control);
}

ControlSite* HeadlessHost::FindSite(const std::string& name, std::optional<int16_t> index) {
  for (auto& s : sites_)
    if (s->Name() == name && s->ArrayIndex() == index) return s.get();
  return nullptr;
}

std::vector<ControlSite*> HeadlessHost::Sites() {
  std::vector<ControlSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

std::vector<HeadlessSite*> HeadlessHost::SiteList() const {
  std::vector<HeadlessSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

void HeadlessHost::RemoveControl(ControlSite& site) {
  HeadlessSite* s = &AsHeadless(site);
  form_.ForgetSite(s);
  for (auto& [id, core] : cores_)
    if (core->site == s && core != &s->Surface()) core->site = nullptr;
  sites_.erase(
      std::remove_if(sites_.begin(), sites_.end(), [&](const auto& p) { return p.get() == s; }),
      sites_.end());
}

void HeadlessHost::PlaceControl(ControlSite& site, float left, float top, float width,
                                float height) {
  AsHeadless(site).Place(left, top, width, height);
  ProcessPending();
}

void HeadlessHost::ResizeControl(ControlSite& site, float width, float height) {
  AsHeadless(site).Resize(width, height);
  ProcessPending();
}

void HeadlessHost::SetControlVisible(ControlSite& site, bool visible) {
  AsHeadless(site).Surface().visible = visible;
}

void HeadlessHost::SetControlEnabled(ControlSite& site, bool enabled) {
  AsHeadless(site).Surface().enabled = enabled;
}

void HeadlessHost::ShowForm() {
  form_.SetShown(true);
  for (HeadlessSite* s : SiteList()) {
    if (s->ShowRaised()) continue;
    s->SetShowRaised();
    if (auto show = s->Handlers().OnShow) show();
  }
  ProcessPending();
}

void HeadlessHost::Register(WidgetCore* core) {
  core->id = ++nextCoreId_;
  cores_[core->id] = core;
  if (core->window) core->window->Add(core);
}

void HeadlessHost::Unregister(WidgetCore* core) {
  cores_.erase(core->id);
  if (core->window) core->window->Remove(core);
}

WidgetCore* HeadlessHost::CoreByHwnd(int32_t hwnd) const {
  if (hwnd == 0) return nullptr;
  for (const auto& [id, core] : cores_)
    if (core->hwnd == hwnd) return core;
  return nullptr;
}

HeadlessWindow* HeadlessHost::WindowByHwnd(int32_t hwnd) const {
  for (HeadlessWindow* w : windows_)
    if (w->Hwnd() == hwnd) return w;
  return nullptr;
}

void HeadlessHost::RemoveWindow(HeadlessWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  if (active_ == w) active_ = w == &form_ ? nullptr : &form_;
}

void HeadlessHost::SetFocusTo(WidgetCore* core) {
  HeadlessWindow* w = core->window;
  if (!w || !w->CanFocus(core))
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  Activate(w);
  w->MoveFocus(core);
}

void HeadlessHost::Activate(HeadlessWindow* window) {
  if (window == active_) return;
  HeadlessWindow* old = active_;
  active_ = window;
  if (old) SendHookMessage(old->Hwnd(), kWmActivate);
  if (window) {
    SendHookMessage(window->Hwnd(), kWmActivate);
    if (HeadlessPopupForm* popup = window->Popup())
      if (auto activate = popup->OnActivate) activate();
  }
}

void HeadlessHost::RequestPaint(HeadlessWindow* window) {
  if (std::find(pendingPaints_.begin(), pendingPaints_.end(), window->Hwnd()) ==
      pendingPaints_.end())
    pendingPaints_.push_back(window->Hwnd());
}

void HeadlessHost::SendHookMessage(int32_t hwnd, int32_t msg) {
  std::vector<HeadlessMessageHook*> hooks = hooks_;
  for (HeadlessMessageHook* h : hooks)
    if (std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end()) h->Deliver(hwnd, msg);
}

void HeadlessHost::RemoveHook(HeadlessMessageHook* h) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), h), hooks_.end());
}

void HeadlessHost::QueueInjectedKey(uint8_t vk, int32_t flags) {
  injected_.push_back({vk, flags});
}

void HeadlessHost::ProcessPending() {
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
        int16_t shift = injectedShiftDown_ ? kShiftMask : 0;
        KeyStroke stroke{k.vk, shift, 0};
        if (k.vk == 13 || k.vk == 8 || k.vk == 27 || k.vk == 32) stroke.keyAscii = k.vk;
        DeliverKey(stroke);
      }
      continue;
    }
    if (!pendingPaints_.empty()) {
      int32_t hwnd = pendingPaints_.front();
      pendingPaints_.erase(pendingPaints_.begin());
      HeadlessWindow* w = WindowByHwnd(hwnd);
      if (!w || !w->Shown()) continue;
      if (HeadlessPopupForm* popup = w->Popup())
        if (auto paint = popup->OnPaint) paint();
      SendHookMessage(hwnd, kWmPaint);
      continue;
    }
    break;
  }
  if (budget < 0) injected_.clear();
  processing_ = false;
}

Rect HeadlessHost::ScreenRectPixels(const WidgetCore* core) const {
  float x, y;
  if (core->kind == CoreKind::Popup || !core->window) {
    x = core->left, y = core->top;
  } else {
    x = core->window->ScreenX(core), y = core->window->ScreenY(core);
  }
  auto px = [](float twips) { return static_cast<int32_t>(std::lround(twips / 15)); };
  return {px(x), px(y), px(x + core->width), px(y + core->height)};
}

void HeadlessHost::MovePointerTo(const WidgetCore* core, float x, float y) {
  Rect r = ScreenRectPixels(core);
  services_.SetCursor(
      {r.left + static_cast<int32_t>(x / 15), r.top + static_cast<int32_t>(y / 15)});
}

WidgetCore* HeadlessHost::PreferredTarget(HeadlessSite& site) const {
  WidgetCore* picture = nullptr;
  for (WidgetCore* c : form_.Cores()) {
    if (c->site != &site || !form_.CanFocus(c)) continue;
    if (c->kind == CoreKind::TextBox) return c;
    if (c->kind == CoreKind::PictureBox && !picture) picture = c;
  }
  if (picture) return picture;
  return form_.CanFocus(&site.Surface()) ? &site.Surface() : nullptr;
}

void HeadlessHost::FocusControl(ControlSite& site) {
  WidgetCore* target = PreferredTarget(AsHeadless(site));
  if (!target)
    RaiseError(err::kInvalidProcedureCall,
               AsHeadless(site).DisplayName() + " cannot take the focus");
  Activate(&form_);
  form_.MoveFocus(target);
  ProcessPending();
}

void HeadlessHost::Navigate(bool backwards) {
  HeadlessWindow* w = active_;
  if (!w) return;
  if (w == &form_) {
    std::vector<HeadlessSite*> sites = SiteList();
    int n = static_cast<int>(sites.size());
    if (n == 0) return;
    int current = -1;
    if (WidgetCore* f = form_.Focused())
      for (int i = 0; i < n; ++i)
        if (sites[i] == f->site) current = i;
    for (int step = 1; step <= n; ++step) {
      int i = current < 0 ? (backwards ? n - step : step - 1)
                          : ((current + (backwards ? -step : step)) % n + n) % n;
      if (WidgetCore* target = PreferredTarget(*sites[i])) {
        form_.MoveFocus(target);
        return;
      }
    }
    return;
  }
  // A popup: its focusable widgets in creation order.
  std::vector<WidgetCore*> order;
  for (WidgetCore* c : w->Cores())
    if (w->CanFocus(c)) order.push_back(c);
  if (order.empty()) return;
  int n = static_cast<int>(order.size());
  auto it = std::find(order.begin(), order.end(), w->Focused());
  int current = it == order.end() ? -1 : static_cast<int>(it - order.begin());
  int next = current < 0 ? (backwards ? n - 1 : 0) : ((current + (backwards ? -1 : 1)) % n + n) % n;
  w->MoveFocus(order[next]);
}

void HeadlessHost::Click(Widget& widget, float x, float y) {
  WidgetCore* core = CoreOf(&widget);
  if (!core || !Reachable(core)) return;
  HeadlessWindow* w = core->kind == CoreKind::Popup
                          ? &static_cast<HeadlessPopupForm&>(widget).Window()
                          : core->window;
  MovePointerTo(core, x, y);
  Activate(w);
  uint64_t id = core->id;
  if (w->CanFocus(core)) w->MoveFocus(core);
  float sx = x, sy = y;
  if (core->kind == CoreKind::Popup) {
    sx = x * static_cast<HeadlessPopupForm&>(widget).ScaleWidth() / std::max(1.0f, core->width);
    sy = y * static_cast<HeadlessPopupForm&>(widget).ScaleHeight() / std::max(1.0f, core->height);
  }
  auto mouse = [&](const MouseHandler& h) {
    if (!Alive(id)) return;
    int16_t button = 1, shift = 0;
    float mx = sx, my = sy;
    if (auto copy = h) copy(button, shift, mx, my);
  };
  mouse(widget.OnMouseDown);
  if (Alive(id) && core->kind == CoreKind::ListBox) {
    auto& list = static_cast<HeadlessListBox&>(widget);
    int16_t row = list.RowAt(y);
    if (row >= 0) list.SetListIndex(row);
  }
  if (Alive(id) && core->kind == CoreKind::DataGrid) {
    auto& grid = static_cast<HeadlessDataGrid&>(widget);
    int16_t row = grid.RowAt(y);
    if (row >= 0) grid.SetRow(row);
  }
  mouse(widget.OnMouseUp);
  if (Alive(id) && core->kind != CoreKind::ListBox)
    if (auto click = widget.OnClick) click();
  ProcessPending();
}

void HeadlessHost::ClickSurface(ControlSite& site, float x, float y) {
  HeadlessSite& s = AsHeadless(site);
  WidgetCore* surface = &s.Surface();
  if (!Reachable(surface)) return;
  MovePointerTo(surface, x, y);
  Activate(&form_);
  if (WidgetCore* target = PreferredTarget(s)) form_.MoveFocus(target);
  for (const MouseHandler* h : {&s.Handlers().OnMouseDown, &s.Handlers().OnMouseUp}) {
    if (!FindSite(s.Name(), s.ArrayIndex())) break;
    int16_t button = 1, shift = 0;
    float mx = x, my = y;
    if (auto copy = *h) copy(button, shift, mx, my);
  }
  ProcessPending();
}

void HeadlessHost::ClickScrollBar(ScrollBar& bar, ScrollPart part) {
  WidgetCore* core = CoreOf(&bar);
  if (!core || !Reachable(core)) return;
  bool vertical = bar.Vertical();
  bool minEnd = part == ScrollPart::ArrowMin || part == ScrollPart::PageMin;
  float x = vertical ? core->width / 2 : (minEnd ? 30 : core->width - 30);
  float y = vertical ? (minEnd ? 30 : core->height - 30) : core->height / 2;
  MovePointerTo(core, x, y);
  Activate(core->window);
  uint64_t id = core->id;
  if (core->window->CanFocus(core)) core->window->MoveFocus(core);
  if (Alive(id)) static_cast<HeadlessScrollBar&>(bar).Step(part);
  ProcessPending();
}

void HeadlessHost::ActivateOutside() {
  services_.SetCursor({799, 799});
  Activate(nullptr);
  ProcessPending();
}

std::string HeadlessHost::FocusName() const {
  if (active_ != &form_) return "";
  WidgetCore* f = form_.Focused();
  return f && f->site ? f->site->DisplayName() : "";
}

Widget* HeadlessHost::FocusedWidget() const {
  if (!active_) return nullptr;
  WidgetCore* f = active_->Focused();
  return f ? f->widget : nullptr;
}

}  // namespace orvo
