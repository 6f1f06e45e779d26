// The host model's window: its widgets and the order of focus notifications.
#include "host/core/core_window.h"

#include <algorithm>

#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"

namespace orvo {

namespace {

// Handlers are copied before they run: a handler may replace itself or destroy its widget.
void Raise(const Notify& n) {
  if (auto copy = n) copy();
}

void RaiseGot(WidgetNode* node) {
  if (node->kind == WidgetKind::Surface)
    Raise(node->site->Handlers().OnGotFocus);
  else if (node->widget)
    Raise(node->widget->OnGotFocus);
}

void RaiseLost(WidgetNode* node) {
  if (node->kind == WidgetKind::Surface)
    Raise(node->site->Handlers().OnLostFocus);
  else if (node->widget)
    Raise(node->widget->OnLostFocus);
}

}  // namespace

CoreWindow::CoreWindow(CoreHost& host, CorePopupForm* popup)
    : host_(host), popup_(popup), hwnd_(host.NewHwnd()) {
  host_.AddWindow(this);
}

CoreWindow::~CoreWindow() {
  DetachAll();
  host_.RemoveWindow(this);
}

void CoreWindow::DetachAll() {
  for (WidgetNode* n : nodes_) {
    n->window = nullptr;
    n->detached = true;
    n->Show(change::kParent);
  }
  nodes_.clear();
  focused_ = announced_ = nullptr;
}

void CoreWindow::SetShown(bool v) {
  if (v == shown_) return;
  shown_ = v;
  host_.Platform().ShowWindow(*this, v);
}

void CoreWindow::Remove(WidgetNode* node) {
  nodes_.erase(std::remove(nodes_.begin(), nodes_.end(), node), nodes_.end());
  for (WidgetNode* n : nodes_)
    if (n->parent == node) {
      n->parent = nullptr;
      n->z = host_.NextZ(true);  // it comes to the front of its new siblings
      n->Show(change::kParent | change::kGeometry);
    }
  if (focused_ == node) focused_ = nullptr;
  if (announced_ == node) announced_ = nullptr;
}

void CoreWindow::ForgetSite(const CoreSite* site) {
  if (focused_ && focused_->site == site) focused_ = nullptr;
  if (announced_ && announced_->site == site) announced_ = nullptr;
  if (entered_ == site) entered_ = nullptr;
}

bool CoreWindow::Reachable(const WidgetNode* node) {
  if (!node->window || !node->window->Shown()) return false;
  for (const WidgetNode* n = node; n; n = n->parent)
    if (!n->visible || !n->enabled) return false;
  const WidgetNode* surface = node->site ? &node->site->Surface() : nullptr;
  return !surface || (surface->visible && surface->enabled);
}

bool CoreWindow::CanFocus(const WidgetNode* node) const {
  return node && node->window == this && node->FocusKind() && Reachable(node);
}

// Each notification may move the focus on (a GotFocus that focuses a text box, an
// EnterFocus that presses Tab): after each one, a move that has been overtaken stops, and
// the newer move raises what is still owed.
void CoreWindow::MoveFocus(WidgetNode* target) {
  if (target == focused_) return;
  WidgetNode* old = focused_;
  focused_ = target;
  host_.Platform().FocusMoved(*this, target);
  if (old && announced_ == old) {
    announced_ = nullptr;
    uint64_t id = target ? target->id : 0;
    RaiseLost(old);
    if (focused_ != target || (target && !host_.Alive(id))) return;
  }
  CoreSite* newSite = target ? target->site : nullptr;
  if (entered_ != newSite) {
    if (CoreSite* leaving = entered_) {
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

void CoreWindow::FocusFirst() {
  if (focused_) return;
  for (WidgetNode* n : nodes_)
    if (CanFocus(n)) return MoveFocus(n);
}

float CoreWindow::OriginX() const {
  if (popup_) return popup_->Node().left;
  auto o = host_.Platform().FormOrigin();
  return o ? static_cast<float>(o->x) : 0;
}

float CoreWindow::OriginY() const {
  if (popup_) return popup_->Node().top;
  auto o = host_.Platform().FormOrigin();
  return o ? static_cast<float>(o->y) : 0;
}

float CoreWindow::ScreenX(const WidgetNode* node) const {
  float x = OriginX();
  if (node->site && node->kind != WidgetKind::Surface) x += node->site->Surface().left;
  for (const WidgetNode* n = node; n; n = n->parent) x += n->left;
  return x;
}

float CoreWindow::ScreenY(const WidgetNode* node) const {
  float y = OriginY();
  if (node->site && node->kind != WidgetKind::Surface) y += node->site->Surface().top;
  for (const WidgetNode* n = node; n; n = n->parent) y += n->top;
  return y;
}

}  // namespace orvo
