// Keyboard delivery of the headless host: navigation keys, the key sequence, native editing.
#include <algorithm>

#include "base/error.h"
#include "host/headless/headless_data_grid.h"
#include "host/headless/headless_host.h"
#include "host/headless/headless_list_box.h"
#include "host/headless/headless_popup_form.h"
#include "host/headless/headless_text_box.h"
#include "host/headless/headless_widgets.h"

namespace orvo {

namespace {

void RaiseKeyDown(WidgetCore* target, int16_t& code, int16_t& shift) {
  if (target->kind == CoreKind::Surface) {
    if (auto h = target->site->Handlers().OnKeyDown) h(code, shift);
  } else if (auto h = target->widget->OnKeyDown) {
    h(code, shift);
  }
}

void RaiseKeyPress(WidgetCore* target, int16_t& ascii) {
  if (target->kind == CoreKind::Surface) {
    if (auto h = target->site->Handlers().OnKeyPress) h(ascii);
  } else if (auto h = target->widget->OnKeyPress) {
    h(ascii);
  }
}

void RaiseKeyUp(WidgetCore* target, int16_t& code, int16_t& shift) {
  // The surface has no key-up notification.
  if (target->kind == CoreKind::Surface) return;
  if (auto h = target->widget->OnKeyUp) h(code, shift);
}

void NativeKeyDown(WidgetCore* target, int16_t code, int16_t shift) {
  switch (target->kind) {
    case CoreKind::TextBox:
      static_cast<HeadlessTextBox*>(target->widget)->NativeKeyDown(code, shift);
      break;
    case CoreKind::ListBox:
      static_cast<HeadlessListBox*>(target->widget)->NativeKeyDown(code);
      break;
    case CoreKind::DataGrid:
      static_cast<HeadlessDataGrid*>(target->widget)->NativeKeyDown(code);
      break;
    case CoreKind::ScrollBar: {
      auto* bar = static_cast<HeadlessScrollBar*>(target->widget);
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

void NativeChar(WidgetCore* target, int16_t ascii) {
  switch (target->kind) {
    case CoreKind::TextBox:
      static_cast<HeadlessTextBox*>(target->widget)->NativeChar(ascii);
      break;
    case CoreKind::DataGrid:
      static_cast<HeadlessDataGrid*>(target->widget)->NativeChar(ascii);
      break;
    case CoreKind::Button:
      // Enter and Space press a focused button.
      if (ascii == 13 || ascii == 32)
        if (auto click = target->widget->OnClick) click();
      break;
    default:
      break;
  }
}

}  // namespace

WidgetCore* HeadlessHost::KeyTarget() const {
  if (!active_) return nullptr;
  WidgetCore* f = active_->Focused();
  if (f && active_->CanFocus(f)) return f;
  if (HeadlessPopupForm* popup = active_->Popup()) return &popup->Core();
  return nullptr;
}

void HeadlessHost::DeliverKey(const KeyStroke& key) {
  if (key.keyCode == kVkTab && (key.shift & ~kShiftMask) == 0) {
    Navigate((key.shift & kShiftMask) != 0);
    return;
  }
  WidgetCore* target = KeyTarget();
  if (!target) return;
  uint64_t id = target->id;
  int16_t code = key.keyCode, shift = key.shift;
  RaiseKeyDown(target, code, shift);
  if (code != 0 && Alive(id)) NativeKeyDown(target, code, shift);
  // The character goes to the window the key went down in, as the classic message loop
  // translates it, even when the key-down handler moved the focus.
  if (key.keyAscii != 0 && Alive(id)) {
    int16_t ascii = key.keyAscii;
    RaiseKeyPress(target, ascii);
    if (ascii != 0 && Alive(id)) NativeChar(target, ascii);
  }
  if (WidgetCore* upTarget = KeyTarget()) {
    code = key.keyCode, shift = key.shift;
    RaiseKeyUp(upTarget, code, shift);
  }
}

void HeadlessHost::SendKey(const KeyStroke& key) {
  DeliverKey(key);
  ProcessPending();
}

void HeadlessHost::Key(const std::string& name) {
  std::optional<KeyStroke> key = NamedKey(name);
  if (!key) RaiseError(err::kInvalidProcedureCall, "unknown key name \"" + name + "\"");
  SendKey(*key);
}

void HeadlessHost::Type(const std::string& text) {
  for (char c : text) SendKey(KeyStrokeForChar(static_cast<unsigned char>(c)));
}

void HeadlessHost::SelectText(int32_t start, int32_t length) {
  WidgetCore* f = KeyTarget();
  if (!f || f->kind != CoreKind::TextBox)
    RaiseError(err::kInvalidProcedureCall, "no text box has the focus");
  auto* box = static_cast<HeadlessTextBox*>(f->widget);
  uint64_t id = f->id;
  float charWidth = HeadlessCharWidthPixels(box->Font().get()) * 15.0f;
  auto mouse = [&](const MouseHandler& h, int32_t pos, int16_t button) {
    if (!Alive(id)) return;
    int16_t b = button, shift = 0;
    float x = 30 + pos * charWidth, y = f->height / 2;
    if (auto copy = h) copy(b, shift, x, y);
  };
  mouse(box->OnMouseDown, start, 1);
  if (Alive(id)) box->Drag(start, start + length);
  mouse(box->OnMouseMove, start + length, 1);
  mouse(box->OnMouseUp, start + length, 1);
  ProcessPending();
}

}  // namespace orvo
