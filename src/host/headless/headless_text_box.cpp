// The headless text box.
#include "host/headless/headless_text_box.h"

#include <algorithm>

namespace orvo {

HeadlessTextBox::HeadlessTextBox(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                                 WidgetCore* parent, bool multiLine)
    : HeadlessWidget(host, window, site, parent, CoreKind::TextBox),
      multiLine_(multiLine),
      font_(host.AmbientFont()->Clone()) {}

void HeadlessTextBox::SetText(const std::string& text) {
  if (text == buffer_.text) return;
  EditBuffer edited{text, 0, 0};
  Commit(edited);
}

void HeadlessTextBox::SetSelStart(int32_t v) {
  buffer_.Collapse(std::clamp(v, 0, static_cast<int32_t>(buffer_.text.size())));
}

void HeadlessTextBox::SetSelLength(int32_t v) {
  int32_t start = buffer_.SelStart();
  int32_t room = static_cast<int32_t>(buffer_.text.size()) - start;
  buffer_.anchor = start;
  buffer_.caret = start + std::clamp(v, 0, room);
}

std::string HeadlessTextBox::SelText() const {
  return buffer_.text.substr(buffer_.SelStart(), buffer_.SelLength());
}

void HeadlessTextBox::SetSelText(const std::string& s) {
  EditBuffer edited = buffer_;
  edited.ReplaceSelection(s);
  Commit(edited);
}

EditContext HeadlessTextBox::Context() const {
  EditContext ctx;
  ctx.multiLine = multiLine_;
  ctx.locked = locked_;
  ctx.maxLength = maxLength_;
  HeadlessServices* services = &host_.HeadlessServicesRef();
  ctx.clipboardText = [services] { return services->ClipboardGetText(); };
  ctx.setClipboardText = [services](const std::string& s) { services->ClipboardSetText(s); };
  return ctx;
}

void HeadlessTextBox::NativeKeyDown(int16_t keyCode, int16_t shift) {
  EditBuffer edited = buffer_;
  if (ApplyEditKeyDown(edited, keyCode, shift, Context()))
    Commit(edited);
  else
    buffer_ = edited;
}

void HeadlessTextBox::NativeChar(int16_t keyAscii) {
  EditBuffer edited = buffer_;
  if (ApplyEditChar(edited, keyAscii, Context()))
    Commit(edited);
  else
    buffer_ = edited;
}

void HeadlessTextBox::Drag(int32_t from, int32_t to) {
  int32_t n = static_cast<int32_t>(buffer_.text.size());
  buffer_.anchor = std::clamp(from, 0, n);
  buffer_.caret = std::clamp(to, 0, n);
}

// The box holds its new text and caret before OnChange runs, as the classic box does, so
// a handler that reads SelStart sees where the edit left the caret.
void HeadlessTextBox::Commit(EditBuffer edited) {
  bool changed = edited.text != buffer_.text;
  buffer_ = std::move(edited);
  if (changed)
    if (auto change = OnChange) change();
}

}  // namespace orvo
