// Key delivery: the form's navigation keys, the key sequence to the focused widget, and
// what a widget does with a key nobody handled.
#include <algorithm>

#include "base/error.h"
#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/core/core_text_box.h"

namespace orvo {

namespace {

// Tab and Shift+Tab are the form's; Ctrl+Tab reaches the widget.
bool IsNavigation(const KeyStroke& k) {
  return k.keyCode == vk::kTab && (k.shift & ~kShiftMask) == 0;
}

// The control's surface handlers for its surface, else the widget's.
void RaiseKeyDown(WidgetNode* t, int16_t& code, int16_t& shift) {
  KeyHandler h =
      t->kind == WidgetKind::Surface ? t->site->Handlers().OnKeyDown : t->widget->OnKeyDown;
  if (h) h(code, shift);
}

void RaiseKeyPress(WidgetNode* t, int16_t& ascii) {
  KeyPressHandler h =
      t->kind == WidgetKind::Surface ? t->site->Handlers().OnKeyPress : t->widget->OnKeyPress;
  if (h) h(ascii);
}

}  // namespace

WidgetNode* CoreHost::KeyTarget() const {
  if (!active_) return nullptr;
  WidgetNode* f = active_->Focused();
  if (f && active_->CanFocus(f)) return f;
  if (CorePopupForm* popup = active_->Popup()) return &popup->Node();
  return nullptr;
}

void CoreHost::KeyPressed(WidgetNode* target, CoreWindow* window, const KeyStroke& key) {
  if (IsNavigation(key)) return Navigate((key.shift & kShiftMask) != 0);
  if (!target && window && window->Popup()) target = &window->Popup()->Node();
  if (!target) return;
  uint64_t id = target->id;
  int16_t code = key.keyCode, shift = key.shift;
  RaiseKeyDown(target, code, shift);
  if (code != 0 && Alive(id) && target->owner) target->owner->NativeKeyDown(code, shift);
  // The character goes to the window the key went down in, as the classic message loop
  // translates it, even when the key-down handler moved the focus.
  if (key.keyAscii != 0 && Alive(id)) {
    int16_t ascii = key.keyAscii;
    RaiseKeyPress(target, ascii);
    if (ascii != 0 && Alive(id) && target->owner) target->owner->NativeChar(ascii);
  }
}

// The surface has no key-up notification.
void CoreHost::KeyReleased(WidgetNode* target, const KeyStroke& key) {
  if (IsNavigation(key) || !target || target->kind == WidgetKind::Surface || !target->widget)
    return;
  int16_t code = key.keyCode, shift = key.shift;
  if (auto h = target->widget->OnKeyUp) h(code, shift);
}

void CoreHost::SendKey(const KeyStroke& key) {
  if (!platform_.SendKey(KeyTarget(), key)) {
    KeyPressed(KeyTarget(), active_, key);
    KeyReleased(KeyTarget(), key);
  }
  ProcessPending();
}

void CoreHost::Key(const std::string& name) {
  std::optional<KeyStroke> key = NamedKey(name);
  if (!key) RaiseError(err::kInvalidProcedureCall, "unknown key name \"" + name + "\"");
  SendKey(*key);
}

void CoreHost::Type(const std::string& text) {
  for (char c : text) SendKey(KeyStrokeForChar(static_cast<unsigned char>(c)));
}

void CoreHost::Navigate(bool backwards) {
  CoreWindow* w = active_;
  if (!w) return;
  if (w == &form_) {
    std::vector<CoreSite*> sites = SiteList();
    int n = static_cast<int>(sites.size());
    if (n == 0) return;
    int current = -1;
    if (WidgetNode* f = form_.Focused())
      for (int i = 0; i < n; ++i)
        if (sites[i] == f->site) current = i;
    bool askedToLeave = false;
    for (int step = 1; step <= n; ++step) {
      const int raw = current + (backwards ? -step : step);
      if (current >= 0 && (raw < 0 || raw >= n) && !askedToLeave) {
        askedToLeave = true;
        if (platform_.TabOutOfForm(backwards)) return;
      }
      int i = current < 0 ? (backwards ? n - step : step - 1) : (raw % n + n) % n;
      if (WidgetNode* target = PreferredTarget(*sites[i])) return form_.MoveFocus(target);
    }
    return;
  }
  // A popup: its focusable widgets in creation order.
  std::vector<WidgetNode*> order;
  for (WidgetNode* n : w->Nodes())
    if (w->CanFocus(n)) order.push_back(n);
  if (order.empty()) return;
  int n = static_cast<int>(order.size());
  auto it = std::find(order.begin(), order.end(), w->Focused());
  int current = it == order.end() ? -1 : static_cast<int>(it - order.begin());
  int next = current < 0 ? (backwards ? n - 1 : 0) : ((current + (backwards ? -1 : 1)) % n + n) % n;
  w->MoveFocus(order[next]);
}

void CoreHost::SelectText(int32_t start, int32_t length) {
  WidgetNode* f = KeyTarget();
  if (!f || f->kind != WidgetKind::TextBox)
    RaiseError(err::kInvalidProcedureCall, "no text box has the focus");
  auto* box = static_cast<CoreTextBox*>(f->widget);
  uint64_t id = f->id;
  float charWidth = platform_.CharWidth(box->Font().get());
  auto mouse = [&](const MouseHandler& h, int32_t pos) {
    if (!Alive(id)) return;
    int16_t button = 1, shift = 0;
    float x = 30 + pos * charWidth, y = f->height / 2;
    if (auto copy = h) copy(button, shift, x, y);
  };
  mouse(box->OnMouseDown, start);
  if (Alive(id)) box->Drag(start, start + length);
  mouse(box->OnMouseMove, start + length);
  mouse(box->OnMouseUp, start + length);
  ProcessPending();
}

}  // namespace orvo
