// Keyboard of the Qt host: key events sent to the focused widget, the form's navigation,
// and the key sequence with native editing, as in the headless host.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "base/error.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_data_grid.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_list_box.h"
#include "host/qt/qt_popup_form.h"
#include "host/qt/qt_site.h"
#include "host/qt/qt_text_box.h"
#include "host/qt/qt_widgets.h"

namespace orvo {

namespace {

void RaiseKeyDown(QtCore* target, int16_t& code, int16_t& shift) {
  if (target->kind == QtKind::Surface) {
    if (auto h = target->site->Handlers().OnKeyDown) h(code, shift);
  } else if (auto h = target->widget->OnKeyDown) {
    h(code, shift);
  }
}

void RaiseKeyPress(QtCore* target, int16_t& ascii) {
  if (target->kind == QtKind::Surface) {
    if (auto h = target->site->Handlers().OnKeyPress) h(ascii);
  } else if (auto h = target->widget->OnKeyPress) {
    h(ascii);
  }
}

void NativeKeyDown(QtCore* target, int16_t code, int16_t shift) {
  switch (target->kind) {
    case QtKind::TextBox:
      static_cast<QtTextBox*>(target->widget)->NativeKeyDown(code, shift);
      break;
    case QtKind::ListBox:
      static_cast<QtListBox*>(target->widget)->NativeKeyDown(code);
      break;
    case QtKind::DataGrid:
      static_cast<QtDataGrid*>(target->widget)->NativeKeyDown(code);
      break;
    case QtKind::ScrollBar: {
      auto* bar = static_cast<QtScrollBar*>(target->widget);
      if (code == 37 || code == 38) bar->Step(ScrollPart::ArrowMin);
      if (code == 39 || code == 40) bar->Step(ScrollPart::ArrowMax);
      if (code == 33) bar->Step(ScrollPart::PageMin);
      if (code == 34) bar->Step(ScrollPart::PageMax);
      break;
    }
    default:
      break;
  }
}

void NativeChar(QtCore* target, int16_t ascii) {
  switch (target->kind) {
    case QtKind::TextBox:
      static_cast<QtTextBox*>(target->widget)->NativeChar(ascii);
      break;
    case QtKind::DataGrid:
      static_cast<QtDataGrid*>(target->widget)->NativeChar(ascii);
      break;
    case QtKind::Button:
      if (ascii == 13 || ascii == 32)
        if (auto click = target->widget->OnClick) click();
      break;
    default:
      break;
  }
}

bool IsNavigation(const KeyStroke& k) {
  return k.keyCode == kVkTab && (k.shift & ~kShiftMask) == 0;
}

}  // namespace

QtCore* QtHost::KeyTarget() const {
  if (!active_) return nullptr;
  QtCore* f = active_->Focused();
  if (f && active_->CanFocus(f)) return f;
  if (QtPopupForm* popup = active_->Popup()) return &popup->Core();
  return nullptr;
}

QWidget* QtHost::KeyReceiver() const {
  if (QtCore* t = KeyTarget()) return t->qwidget;
  return active_ ? active_->Top() : nullptr;
}

const KeyStroke* QtHost::SendingStroke(const QKeyEvent* e) const {
  return e == sendingEvent_ ? &sendingStroke_ : nullptr;
}

void QtHost::SendKey(const KeyStroke& key) {
  QWidget* receiver = KeyReceiver();
  if (!receiver) {
    ProcessPending();
    return;
  }
  QString text = key.keyAscii ? QString(QChar(key.keyAscii & 0xFF)) : QString();
  QKeyEvent press(QEvent::KeyPress, QtKeyOf(key), QtModifiersOf(key.shift), text);
  sendingEvent_ = &press;
  sendingStroke_ = key;
  QCoreApplication::sendEvent(receiver, &press);
  sendingEvent_ = nullptr;
  if (QWidget* upReceiver = KeyReceiver()) {
    QKeyEvent release(QEvent::KeyRelease, QtKeyOf(key), QtModifiersOf(key.shift), text);
    sendingEvent_ = &release;
    sendingStroke_ = key;
    QCoreApplication::sendEvent(upReceiver, &release);
    sendingEvent_ = nullptr;
  }
  ProcessPending();
}

void QtHost::Key(const std::string& name) {
  std::optional<KeyStroke> key = NamedKey(name);
  if (!key) RaiseError(err::kInvalidProcedureCall, "unknown key name \"" + name + "\"");
  SendKey(*key);
}

void QtHost::Type(const std::string& text) {
  for (char c : text) SendKey(KeyStrokeForChar(static_cast<unsigned char>(c)));
}

void QtHost::OnKeyPressEvent(QtCore* core, QtWindow* window, const KeyStroke& stroke) {
  if (IsNavigation(stroke)) {
    Navigate((stroke.shift & kShiftMask) != 0);
    return;
  }
  QtCore* target = core;
  if (!target && window && window->Popup()) target = &window->Popup()->Core();
  if (!target) return;
  uint64_t id = target->id;
  int16_t code = stroke.keyCode, shift = stroke.shift;
  RaiseKeyDown(target, code, shift);
  if (code != 0 && Alive(id)) NativeKeyDown(target, code, shift);
  if (stroke.keyAscii != 0 && Alive(id)) {
    int16_t ascii = stroke.keyAscii;
    RaiseKeyPress(target, ascii);
    if (ascii != 0 && Alive(id)) NativeChar(target, ascii);
  }
}

void QtHost::OnKeyReleaseEvent(QtCore* core, const KeyStroke& stroke) {
  if (IsNavigation(stroke) || !core || core->kind == QtKind::Surface || !core->widget) return;
  int16_t code = stroke.keyCode, shift = stroke.shift;
  if (auto h = core->widget->OnKeyUp) h(code, shift);
}

void QtHost::Navigate(bool backwards) {
  QtWindow* w = active_;
  if (!w) return;
  if (w == form_.get()) {
    std::vector<QtSite*> sites = SiteList();
    int n = static_cast<int>(sites.size());
    if (n == 0) return;
    int current = -1;
    if (QtCore* f = form_->Focused())
      for (int i = 0; i < n; ++i)
        if (sites[i] == f->site) current = i;
    for (int step = 1; step <= n; ++step) {
      int i = current < 0 ? (backwards ? n - step : step - 1)
                          : ((current + (backwards ? -step : step)) % n + n) % n;
      if (QtCore* target = PreferredTarget(*sites[i])) {
        form_->MoveFocus(target);
        return;
      }
    }
    return;
  }
  std::vector<QtCore*> order;
  for (QtCore* c : w->Cores())
    if (w->CanFocus(c)) order.push_back(c);
  if (order.empty()) return;
  int n = static_cast<int>(order.size());
  auto it = std::find(order.begin(), order.end(), w->Focused());
  int current = it == order.end() ? -1 : static_cast<int>(it - order.begin());
  int next = current < 0 ? (backwards ? n - 1 : 0) : ((current + (backwards ? -1 : 1)) % n + n) % n;
  w->MoveFocus(order[next]);
}

void QtHost::SelectText(int32_t start, int32_t length) {
  QtCore* f = KeyTarget();
  if (!f || f->kind != QtKind::TextBox)
    RaiseError(err::kInvalidProcedureCall, "no text box has the focus");
  auto* box = static_cast<QtTextBox*>(f->widget);
  uint64_t id = f->id;
  float charWidth =
      static_cast<float>(QFontMetrics(ToQFont(box->Font().get())).averageCharWidth()) *
      kQtTwipsPerPixel;
  auto mouse = [&](const MouseHandler& h, int32_t pos) {
    if (!Alive(id)) return;
    int16_t b = 1, shift = 0;
    float x = 30 + pos * charWidth, y = f->height / 2;
    if (auto copy = h) copy(b, shift, x, y);
  };
  mouse(box->OnMouseDown, start);
  if (Alive(id)) box->Drag(start, start + length);
  mouse(box->OnMouseMove, start + length);
  mouse(box->OnMouseUp, start + length);
  ProcessPending();
}

}  // namespace orvo
