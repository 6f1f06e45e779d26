// Focus by the pointer: clicks on widgets, surfaces and scroll bars, the user's own mouse
// and focus changes, and where the pointer stands.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "base/error.h"
#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/core/core_widgets.h"

namespace orvo {

namespace {

CoreSite& AsCore(ControlSite& site) {
  return static_cast<CoreSite&>(site);
}

void RaiseMouse(const MouseHandler& h, int16_t button, int16_t shift, float x, float y) {
  if (auto copy = h) copy(button, shift, x, y);
}

// Mouse coordinates in the widget's own units: a popup form's scale, twips elsewhere.
std::pair<float, float> InWidgetUnits(WidgetNode* node, Widget& widget, float x, float y) {
  if (node->kind != WidgetKind::Popup) return {x, y};
  auto& popup = static_cast<CorePopupForm&>(widget);
  return {x * popup.ScaleWidth() / std::max(1.0f, node->width),
          y * popup.ScaleHeight() / std::max(1.0f, node->height)};
}

}  // namespace

Rect CoreHost::ScreenRectPixels(const WidgetNode* node) const {
  float x, y;
  if (node->kind == WidgetKind::Popup || !node->window) {
    x = node->left, y = node->top;
  } else {
    x = node->window->ScreenX(node), y = node->window->ScreenY(node);
  }
  const float tx = services_.TwipsPerPixelX(), ty = services_.TwipsPerPixelY();
  auto px = [](float twips, float perPixel) {
    return static_cast<int32_t>(std::lround(twips / perPixel));
  };
  return {px(x, tx), px(y, ty), px(x + node->width, tx), px(y + node->height, ty)};
}

void CoreHost::MovePointerTo(const WidgetNode* node, float x, float y) {
  Rect r = ScreenRectPixels(node);
  services_.SetCursor({r.left + static_cast<int32_t>(x / services_.TwipsPerPixelX()),
                       r.top + static_cast<int32_t>(y / services_.TwipsPerPixelY())});
}

// Where a click on a control puts the focus: its text box, else its picture box, else
// its surface.
WidgetNode* CoreHost::PreferredTarget(CoreSite& site) const {
  WidgetNode* picture = nullptr;
  for (WidgetNode* n : form_.Nodes()) {
    if (n->site != &site || !form_.CanFocus(n)) continue;
    if (n->kind == WidgetKind::TextBox) return n;
    if (n->kind == WidgetKind::PictureBox && !picture) picture = n;
  }
  if (picture) return picture;
  return form_.CanFocus(&site.Surface()) ? &site.Surface() : nullptr;
}

// A press activates the window it lands in and focuses what it lands on: the widget when
// it can take the focus; on a control's surface, what a click on the control focuses.
// False when a focus notification destroyed the widget.
bool CoreHost::PressFocus(WidgetNode* node) {
  uint64_t id = node->id;
  Activate(node->window);
  WidgetNode* target = node->kind == WidgetKind::Surface ? PreferredTarget(*node->site) : node;
  if (target && node->window->CanFocus(target)) node->window->MoveFocus(target);
  return Alive(id);
}

void CoreHost::FocusControl(ControlSite& site) {
  WidgetNode* target = PreferredTarget(AsCore(site));
  if (!target)
    RaiseError(err::kInvalidProcedureCall, AsCore(site).DisplayName() + " cannot take the focus");
  Activate(&form_);
  form_.MoveFocus(target);
  ProcessPending();
}

void CoreHost::Click(Widget& widget, float x, float y) {
  WidgetNode* node = NodeOf(&widget);
  if (!node || !CoreWindow::Reachable(node)) return;
  MovePointerTo(node, x, y);
  uint64_t id = node->id;
  PressFocus(node);
  auto [sx, sy] = InWidgetUnits(node, widget, x, y);
  if (Alive(id)) RaiseMouse(widget.OnMouseDown, 1, 0, sx, sy);
  if (Alive(id)) node->owner->NativePress(y);
  if (Alive(id)) node->owner->NativeMouse(0, 1, x, y);
  if (Alive(id)) RaiseMouse(widget.OnMouseUp, 1, 0, sx, sy);
  if (Alive(id)) node->owner->NativeMouse(1, 1, x, y);
  if (Alive(id) && node->owner->ClickNotifies())
    if (auto click = widget.OnClick) click();
  ProcessPending();
}

void CoreHost::DoubleClick(Widget& widget, float x, float y) {
  WidgetNode* node = NodeOf(&widget);
  if (!node || !CoreWindow::Reachable(node)) return;
  uint64_t id = node->id;
  Click(widget, x, y);
  auto [sx, sy] = InWidgetUnits(node, widget, x, y);
  if (Alive(id))
    if (auto dblClick = widget.OnDblClick) dblClick();
  if (Alive(id)) RaiseMouse(widget.OnMouseUp, 1, 0, sx, sy);
  ProcessPending();
}

void CoreHost::Press(Widget& widget, float x, float y) {
  WidgetNode* node = NodeOf(&widget);
  if (!node || !CoreWindow::Reachable(node)) return;
  MovePointerTo(node, x, y);
  uint64_t id = node->id;
  if (!PressFocus(node)) return;
  auto [sx, sy] = InWidgetUnits(node, widget, x, y);
  held_ = {id, sx, sy};
  RaiseMouse(widget.OnMouseDown, 1, 0, sx, sy);
  if (Alive(id)) node->owner->NativeMouse(0, 1, x, y);
  ProcessPending();
}

void CoreHost::MovePressed(float x, float y) {
  if (!held_.nodeId || !Alive(held_.nodeId)) return;
  WidgetNode* node = nodes_.at(held_.nodeId);
  if (!node->widget) return;
  MovePointerTo(node, x, y);
  auto [sx, sy] = InWidgetUnits(node, *node->widget, x, y);
  held_.x = sx, held_.y = sy;
  RaiseMouse(node->widget->OnMouseMove, 1, 0, sx, sy);
  if (Alive(held_.nodeId)) node->owner->NativeMouse(2, 1, x, y);
  ProcessPending();
}

void CoreHost::Wheel(Widget& widget, int notches, float x, float y) {
  WidgetNode* node = NodeOf(&widget);
  if (!node || !CoreWindow::Reachable(node)) return;
  MovePointerTo(node, x, y);
  node->owner->NativeWheel(notches);
  ProcessPending();
}

bool CoreHost::UserWheel(WidgetNode* node, int notches) {
  services_.ForgetCursor();
  return node->owner && CoreWindow::Reachable(node) && node->owner->NativeWheel(notches);
}

void CoreHost::Release(bool onWidget) {
  HeldButton held = std::exchange(held_, {});
  if (!held.nodeId || !Alive(held.nodeId)) return;
  WidgetNode* node = nodes_.at(held.nodeId);
  Widget* widget = node->widget;
  if (!widget) return;
  if (!onWidget) {
    services_.SetCursor({799, 799});
    held.x = held.y = -1;
  }
  RaiseMouse(widget->OnMouseUp, 1, 0, held.x, held.y);
  if (Alive(held.nodeId)) node->owner->NativeMouse(1, 1, held.x, held.y);
  if (onWidget && Alive(held.nodeId) && node->owner->ClickNotifies())
    if (auto click = widget->OnClick) click();
  ProcessPending();
}

void CoreHost::ClickSurface(ControlSite& site, float x, float y) {
  CoreSite& s = AsCore(site);
  WidgetNode* surface = &s.Surface();
  if (!CoreWindow::Reachable(surface)) return;
  MovePointerTo(surface, x, y);
  PressFocus(surface);
  for (const MouseHandler* h : {&s.Handlers().OnMouseDown, &s.Handlers().OnMouseUp}) {
    if (!FindSite(s.Name(), s.ArrayIndex())) break;
    RaiseMouse(*h, 1, 0, x, y);
  }
  ProcessPending();
}

void CoreHost::ClickScrollBar(ScrollBar& bar, ScrollPart part) {
  WidgetNode* node = NodeOf(&bar);
  if (!node || !CoreWindow::Reachable(node)) return;
  bool vertical = bar.Vertical();
  bool minEnd = part == ScrollPart::ArrowMin || part == ScrollPart::PageMin;
  float x = vertical ? node->width / 2 : (minEnd ? 30 : node->width - 30);
  float y = vertical ? (minEnd ? 30 : node->height - 30) : node->height / 2;
  MovePointerTo(node, x, y);
  if (PressFocus(node)) static_cast<CoreScrollBar&>(bar).Step(part);
  ProcessPending();
}

// A notch of the wheel acts as a click on an arrow: up (away from the user) on the up (left)
// arrow, down on the down (right) one; the bar's value moves by SmallChange, not by the
// platform's own count of lines a notch scrolls. The window is not activated.
void CoreHost::WheelScrollBar(ScrollBar& bar, int notches) {
  WidgetNode* node = NodeOf(&bar);
  if (!node || !CoreWindow::Reachable(node)) return;
  uint64_t id = node->id;
  const ScrollPart arrow = notches > 0 ? ScrollPart::ArrowMin : ScrollPart::ArrowMax;
  for (int i = 0; i < std::abs(notches) && Alive(id); ++i)
    static_cast<CoreScrollBar&>(bar).Step(arrow);
  ProcessPending();
}

void CoreHost::ActivateOutside() {
  services_.SetCursor({799, 799});
  Activate(nullptr);
  ProcessPending();
}

// The user's own mouse. Buttons, lists and scroll bars report their clicks through their
// own views. A press moves the focus first, as Click does: the platform's focus event
// cannot be relied on (a press in a window not yet active moves the platform's focus
// without one), and without it the form's navigation would go on from the field focused
// before the click. A double click raises what the classic widgets raise: down, up, click
// for the first press, DblClick and up for the second (a check field toggles once).
void CoreHost::UserMouse(WidgetNode* node, int kind, int16_t button, int16_t shift, float x,
                         float y) {
  services_.ForgetCursor();
  const bool press = kind == 0 || kind == 3;
  if (press) doubleClickUp_ = kind == 3;
  if (press && CoreWindow::Reachable(node) && !PressFocus(node)) return;
  MouseHandler handler;
  if (node->kind == WidgetKind::Surface) {
    const SurfaceHandlers& h = node->site->Handlers();
    handler = kind == 0 ? h.OnMouseDown : kind == 1 ? h.OnMouseUp : h.OnMouseMove;
  } else if (node->widget) {
    Widget* w = node->widget;
    handler = kind == 0 ? w->OnMouseDown : kind == 1 ? w->OnMouseUp : w->OnMouseMove;
  }
  uint64_t id = node->id;
  if (kind == 3) {
    if (node->kind != WidgetKind::Surface && node->widget)
      if (auto dblClick = node->widget->OnDblClick) dblClick();
    return;
  }
  const float nx = x, ny = y;  // twips in the widget, for its own handling
  if (node->kind == WidgetKind::Popup && node->widget)
    std::tie(x, y) = InWidgetUnits(node, *node->widget, x, y);
  // Read before the handler runs: it may close the form the node belongs to.
  const bool clickKind = node->kind != WidgetKind::Button && node->kind != WidgetKind::ListBox &&
                         node->kind != WidgetKind::Surface && node->kind != WidgetKind::ScrollBar;
  if (handler) handler(button, shift, x, y);
  if (Alive(id) && node->owner) node->owner->NativeMouse(kind, button, nx, ny);
  const bool endsDoubleClick = kind == 1 && std::exchange(doubleClickUp_, false);
  if (kind == 1 && clickKind && !endsDoubleClick && Alive(id) && node->widget)
    if (auto click = node->widget->OnClick) click();
}

void CoreHost::UserFocus(WidgetNode* node) {
  if (node->window && node->window->CanFocus(node)) PressFocus(node);
}

void CoreHost::UserActivated(CoreWindow* window) {
  if (window == active_ || (window && !window->Shown())) return;
  Activate(window);
}

// A popup closes without a choice on Escape, so the window system's close is Escape typed in
// it: the popup and its control close as they do for the key. A popup that stays open after
// it is not closed.
bool CoreHost::UserClosed(CoreWindow* window) {
  if (!window || !window->Popup() || !window->Shown()) return false;
  WidgetNode* target = window->Focused();
  if (!target || !window->CanFocus(target)) target = &window->Popup()->Node();
  const KeyStroke escape = *NamedKey("Escape");
  uint64_t id = target->id;
  KeyPressed(target, window, escape);
  if (Alive(id)) KeyReleased(target, escape);
  ProcessPending();
  return !window->Shown();
}

// Popups stand beside the controls that opened them: when the form moves or changes size they
// would stand away from them, so they close as when the user activates another window, with
// the pointer taken to be outside them wherever it is.
void CoreHost::FormMoved() {
  std::vector<CoreWindow*> popups;
  for (CoreWindow* w : windows_)
    if (w->Popup() && w->Shown()) popups.push_back(w);
  if (popups.empty()) return;
  const std::optional<Point> pointer = services_.PlacedCursor();
  services_.SetCursor({-1, -1});
  if (active_ && active_->Popup()) {
    Activate(&form_);
  } else {
    for (CoreWindow* w : popups)
      if (std::find(windows_.begin(), windows_.end(), w) != windows_.end())
        SendHookMessage(w->Hwnd(), kWmActivate);
  }
  if (pointer)
    services_.SetCursor(*pointer);
  else
    services_.ForgetCursor();
  ProcessPending();
}

}  // namespace orvo
