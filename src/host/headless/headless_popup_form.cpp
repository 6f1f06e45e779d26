// The headless popup form.
#include "host/headless/headless_popup_form.h"

#include "host/headless/headless_data_grid.h"
#include "host/headless/headless_list_box.h"
#include "host/headless/headless_text_box.h"
#include "host/headless/headless_text_metrics.h"
#include "host/headless/headless_widgets.h"

namespace orvo {

HeadlessPopupForm::HeadlessPopupForm(HeadlessHost& host)
    : host_(host), window_(host, this), font_(host.AmbientFont()->Clone()) {
  core_.kind = CoreKind::Popup;
  core_.widget = this;
  core_.window = &window_;
  core_.hwnd = window_.Hwnd();
  core_.width = 3000;
  core_.height = 2000;
  host_.Register(&core_);
}

HeadlessPopupForm::~HeadlessPopupForm() {
  host_.Unregister(&core_);
}

void HeadlessPopupForm::Move(float left, float top, float width, float height) {
  bool resized = width != core_.width || height != core_.height;
  core_.left = left, core_.top = top, core_.width = width, core_.height = height;
  window_.SetOrigin(left, top);
  if (!resized) return;
  if (auto resize = OnResize) resize();
  if (window_.Shown()) {
    host_.SendHookMessage(window_.Hwnd(), kWmSize);
    host_.RequestPaint(&window_);
  }
}

void HeadlessPopupForm::SetVisible(bool v) {
  if (v)
    Show(false);
  else
    Hide();
}

void HeadlessPopupForm::Refresh() {
  if (window_.Shown()) host_.RequestPaint(&window_);
}

void HeadlessPopupForm::SetFocus() {
  if (!window_.Shown())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  host_.Activate(&window_);
}

void HeadlessPopupForm::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (auto load = OnLoad) load();
}

// Modal shows do not block here: the form shows as a modeless one that disables the
// main form's window style until it hides.
void HeadlessPopupForm::Show(bool modal) {
  Load();
  modal_ = modal;
  if (modal) {
    int32_t form = host_.Form().Hwnd();
    auto& services = host_.Services();
    services.SetWindowLong(form, kGwlStyle, services.GetWindowLong(form, kGwlStyle) | kWsDisabled);
  }
  if (!window_.Shown()) {
    window_.SetShown(true);
    host_.RequestPaint(&window_);
  }
  host_.Activate(&window_);
  // As a form that shows: the first widget that can take the focus gets it, unless one
  // had it when the form last hid.
  if (!window_.Focused())
    for (auto* c : window_.Cores())
      if (window_.CanFocus(c)) {
        window_.MoveFocus(c);
        break;
      }
}

void HeadlessPopupForm::Hide() {
  if (modal_) {
    int32_t form = host_.Form().Hwnd();
    auto& services = host_.Services();
    services.SetWindowLong(form, kGwlStyle, services.GetWindowLong(form, kGwlStyle) & ~kWsDisabled);
    modal_ = false;
  }
  if (!window_.Shown()) return;
  window_.SetShown(false);
  if (host_.ActiveWindow() == &window_) host_.Activate(&host_.Form());
}

void HeadlessPopupForm::Unload() {
  if (unloading_ || !loaded_) {
    Hide();
    return;
  }
  unloading_ = true;
  if (auto unload = OnUnload) unload();
  Hide();
  drawing_.clear();
  loaded_ = false;
  unloading_ = false;
}

void HeadlessPopupForm::SetFontBold(bool bold) {
  font_ = font_->Clone();
  font_->bold = bold;
}

void HeadlessPopupForm::Line(float x1, float y1, float x2, float y2, Color color) {
  drawing_.push_back({PopupDrawOp::kLine, x1, y1, x2, y2, color, {}});
}

void HeadlessPopupForm::FillRect(float x1, float y1, float x2, float y2, Color color) {
  drawing_.push_back({PopupDrawOp::kFill, x1, y1, x2, y2, color, {}});
}

void HeadlessPopupForm::Print(float x, float y, const std::string& text, Color color) {
  drawing_.push_back(
      {PopupDrawOp::kText, x, y, x + TextWidth(text), y + TextHeight(text), color, text});
}

float HeadlessPopupForm::TextWidth(const std::string& text) const {
  return ToScale(HeadlessTextWidth(font_.get(), text));
}

float HeadlessPopupForm::TextHeight(const std::string& text) const {
  return ToScale(HeadlessTextHeight(font_.get(), text));
}

std::unique_ptr<ListBox> HeadlessPopupForm::CreateListBox() {
  return std::make_unique<HeadlessListBox>(host_, &window_, nullptr, nullptr);
}

std::unique_ptr<DataGrid> HeadlessPopupForm::CreateDataGrid() {
  return std::make_unique<HeadlessDataGrid>(host_, &window_);
}

std::unique_ptr<TextBox> HeadlessPopupForm::CreateTextBox() {
  return std::make_unique<HeadlessTextBox>(host_, &window_, nullptr, nullptr, false);
}

std::unique_ptr<Label> HeadlessPopupForm::CreateLabel() {
  return std::make_unique<HeadlessLabel>(host_, &window_, nullptr, nullptr);
}

std::unique_ptr<CommandButton> HeadlessPopupForm::CreateButton(const std::string& caption) {
  return std::make_unique<HeadlessCommandButton>(host_, &window_, nullptr, nullptr, caption);
}

}  // namespace orvo
