// The headless window: its widgets and the order of focus notifications.
#include "host/headless/headless_window.h"

#include <algorithm>

#include "host/headless/headless_host.h"
#include "host/headless/headless_site.h"

namespace orvo {

namespace {

// Handlers are copied before they run: a handler may replace itself or destroy its widget.
void Raise(const Notify& n) {
  if (auto copy = n) copy();
}

void RaiseGot(WidgetCore* core) {
  if (core->kind == CoreKind::Surface)
    Raise(core->site->Handlers().OnGotFocus);
  else if (core->widget)
    Raise(core->widget->OnGotFocus);
}

void RaiseLost(WidgetCore* core) {
  if (core->kind == CoreKind::Surface)
    Raise(core->site->Handlers().OnLostFocus);
  else if (core->widget)
    Raise(core->widget->OnLostFocus);
}

}  // namespace

HeadlessWindow::HeadlessWindow(HeadlessHost& host, HeadlessPopupForm* popup)
    : host_(host), popup_(popup), hwnd_(host.NewHwnd()) {
  host_.AddWindow(this);
}

HeadlessWindow::~HeadlessWindow() {
  for (WidgetCore* c : cores_) c->window = nullptr;
  host_.RemoveWindow(this);
}

void HeadlessWindow::Add(WidgetCore* core) {
  cores_.push_back(core);
}

void HeadlessWindow::Remove(WidgetCore* core) {
  cores_.erase(std::remove(cores_.begin(), cores_.end(), core), cores_.end());
  for (WidgetCore* c : cores_)
    if (c->parent == core) c->parent = nullptr;
  if (focused_ == core) focused_ = nullptr;
  if (announced_ == core) announced_ = nullptr;
}

void HeadlessWindow::ForgetSite(const HeadlessSite* site) {
  if (focused_ && focused_->site == site) focused_ = nullptr;
  if (announced_ && announced_->site == site) announced_ = nullptr;
  if (entered_ == site) entered_ = nullptr;
}

bool HeadlessWindow::CanFocus(const WidgetCore* core) const {
  if (!core || core->window != this || !shown_ || !core->FocusKind()) return false;
  for (const WidgetCore* c = core; c; c = c->parent)
    if (!c->visible || !c->enabled) return false;
  if (core->site && core->kind != CoreKind::Surface) {
    const WidgetCore& surface = core->site->Surface();
    if (!surface.visible || !surface.enabled) return false;
  }
  return true;
}

// Each notification may move the focus on (a GotFocus that focuses a text box, an
// EnterFocus that presses Tab): after each one, a move that has been overtaken stops, and
// the newer move raises what is still owed.
void HeadlessWindow::MoveFocus(WidgetCore* target) {
  if (target == focused_) return;
  WidgetCore* old = focused_;
  focused_ = target;
  if (old && announced_ == old) {
    announced_ = nullptr;
    uint64_t id = target ? target->id : 0;
    RaiseLost(old);
    if (focused_ != target || (target && !host_.Alive(id))) return;
  }
  HeadlessSite* newSite = target ? target->site : nullptr;
  if (entered_ != newSite) {
    if (HeadlessSite* leaving = entered_) {
      entered_ = nullptr;
      Raise(leaving->Handlers().OnExitFocus);
      if (focused_ != target) return;
    }
    if (newSite) {
      entered_ = newSite;
      Raise(newSite->Handlers().OnEnterFocus);
      if (focused_ != target) return;
    }
  }
  if (target) {
    announced_ = target;
    RaiseGot(target);
  }
}

float HeadlessWindow::ScreenX(const WidgetCore* core) const {
  float x = originX_;
  if (core->site && core->kind != CoreKind::Surface) x += core->site->Surface().left;
  for (const WidgetCore* c = core; c; c = c->parent) x += c->left;
  return x;
}

float HeadlessWindow::ScreenY(const WidgetCore* core) const {
  float y = originY_;
  if (core->site && core->kind != CoreKind::Surface) y += core->site->Surface().top;
  for (const WidgetCore* c = core; c; c = c->parent) y += c->top;
  return y;
}

}  // namespace orvo
