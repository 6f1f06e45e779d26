// The host model's text box.
#include "host/core/core_text_box.h"

#include <algorithm>

#include "host/core/core_host.h"

namespace orvo {

CoreTextBox::CoreTextBox(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
                         bool multiLine)
    : CoreWidget(host, window, site, parent, WidgetKind::TextBox),
      multiLine_(multiLine),
      font_(host.AmbientFont()->Clone()) {}

void CoreTextBox::SetText(const std::string& text) {
  if (text == buffer_.text) return;
  Commit(EditBuffer{text, 0, 0});
}

void CoreTextBox::Drag(int32_t anchor, int32_t caret) {
  int32_t n = static_cast<int32_t>(buffer_.text.size());
  buffer_.anchor = std::clamp(anchor, 0, n);
  buffer_.caret = std::clamp(caret, 0, n);
  node_.Show(change::kSelection);
}

void CoreTextBox::SetSelStart(int32_t v) {
  Drag(v, v);
}

void CoreTextBox::SetSelLength(int32_t v) {
  int32_t start = buffer_.SelStart();
  int32_t room = static_cast<int32_t>(buffer_.text.size()) - start;
  Drag(start, start + std::clamp(v, 0, room));
}

std::string CoreTextBox::SelText() const {
  return buffer_.text.substr(buffer_.SelStart(), buffer_.SelLength());
}

void CoreTextBox::SetSelText(const std::string& s) {
  EditBuffer edited = buffer_;
  edited.ReplaceSelection(s);
  Commit(edited);
}

EditContext CoreTextBox::Context() const {
  EditContext ctx;
  ctx.multiLine = multiLine_;
  ctx.locked = locked_;
  ctx.maxLength = maxLength_;
  CoreServices* services = &host_.CoreServicesRef();
  ctx.clipboardText = [services] { return services->ClipboardGetText(); };
  ctx.setClipboardText = [services](const std::string& s) { services->ClipboardSetText(s); };
  return ctx;
}

void CoreTextBox::NativeKeyDown(int16_t keyCode, int16_t shift) {
  EditBuffer edited = buffer_;
  if (ApplyEditKeyDown(edited, keyCode, shift, Context())) return Commit(std::move(edited));
  Drag(edited.anchor, edited.caret);
}

void CoreTextBox::NativeChar(int16_t keyAscii) {
  EditBuffer edited = buffer_;
  if (ApplyEditChar(edited, keyAscii, Context())) return Commit(std::move(edited));
  Drag(edited.anchor, edited.caret);
}

// Only keys edit the text: the platform's own editing (a drop, a middle-button paste) would
// pass by the mask, Locked and the control's key handlers. Its selection is taken; a text it
// changed is not, and the view shows the box's own text again.
void CoreTextBox::UserEdit(const std::string& text, int32_t anchor, int32_t caret) {
  if (text == buffer_.text) Drag(anchor, caret);
}

// The box holds its new text and caret, and shows them, before OnChange runs, as the
// classic box does, so a handler that reads SelStart sees where the edit left the caret.
void CoreTextBox::Commit(EditBuffer edited) {
  bool changed = edited.text != buffer_.text;
  buffer_ = std::move(edited);
  node_.Show(changed ? change::kContent | change::kSelection : change::kSelection);
  if (changed)
    if (auto change = OnChange) change();
}

}  // namespace orvo
