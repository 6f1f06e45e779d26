// The host model's popup form.
#include "host/core/core_popup_form.h"

#include "base/error.h"
#include "host/core/core_data_grid.h"
#include "host/core/core_host.h"
#include "host/core/core_list_box.h"
#include "host/core/core_text_box.h"
#include "host/core/core_widgets.h"

namespace orvo {

CorePopupForm::CorePopupForm(CoreHost& host)
    : PopupWindowHolder(host, this),
      CoreWidget(host, &window_, nullptr, nullptr, WidgetKind::Popup),
      font_(host.AmbientFont()->Clone()) {
  node_.width = 3000;
  node_.height = 2000;
}

// Widgets the library still holds outlive the window: they leave it before it goes.
CorePopupForm::~CorePopupForm() {
  window_.DetachAll();
}

void CorePopupForm::Move(float left, float top, float width, float height) {
  bool resized = width != node_.width || height != node_.height;
  node_.left = left, node_.top = top, node_.width = width, node_.height = height;
  node_.Show(change::kGeometry);
  if (!resized) return;
  if (auto resize = OnResize) resize();
  if (window_.Shown()) {
    host_.SendHookMessage(window_.Hwnd(), kWmSize);
    host_.RequestPaint(&window_);
  }
}

void CorePopupForm::SetVisible(bool v) {
  if (v)
    Show(false);
  else
    Hide();
}

void CorePopupForm::Refresh() {
  node_.Show(change::kRepaint);
  if (window_.Shown()) host_.RequestPaint(&window_);
}

void CorePopupForm::SetFocus() {
  if (!window_.Shown())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  host_.Activate(&window_);
}

void CorePopupForm::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (auto load = OnLoad) load();
}

// A modal show does not run a loop of its own: the main form's window style carries the
// disabled bit until the popup hides.
void CorePopupForm::SetFormDisabled(bool disabled) {
  int32_t form = host_.Form().Hwnd();
  HostServices& s = host_.Services();
  int32_t style = s.GetWindowLong(form, kGwlStyle);
  s.SetWindowLong(form, kGwlStyle, disabled ? style | kWsDisabled : style & ~kWsDisabled);
}

void CorePopupForm::Show(bool modal) {
  Load();
  modal_ = modal;
  if (modal) SetFormDisabled(true);
  if (!window_.Shown()) {
    window_.SetShown(true);
    host_.RequestPaint(&window_);
  }
  host_.Activate(&window_);
  // As a form that shows: the first widget that can take the focus gets it, unless one
  // had it when the form last hid.
  window_.FocusFirst();
}

void CorePopupForm::Hide() {
  if (modal_) {
    SetFormDisabled(false);
    modal_ = false;
  }
  if (!window_.Shown()) return;
  window_.SetShown(false);
  if (host_.ActiveWindow() == &window_) host_.Activate(&host_.Form());
}

void CorePopupForm::Unload() {
  if (unloading_ || !loaded_) {
    Hide();
    return;
  }
  unloading_ = true;
  if (auto unload = OnUnload) unload();
  Hide();
  drawing_.clear();
  node_.Show(change::kContent);
  loaded_ = false;
  unloading_ = false;
}

void CorePopupForm::SetFontBold(bool bold) {
  font_ = font_->Clone();
  font_->bold = bold;
}

void CorePopupForm::Draw(PopupDrawOp op) {
  drawing_.push_back(std::move(op));
  node_.Show(change::kContent);
}

void CorePopupForm::Line(float x1, float y1, float x2, float y2, Color color) {
  Draw({PopupDrawOp::kLine, x1, y1, x2, y2, color, {}, nullptr});
}

void CorePopupForm::FillRect(float x1, float y1, float x2, float y2, Color color) {
  Draw({PopupDrawOp::kFill, x1, y1, x2, y2, color, {}, nullptr});
}

void CorePopupForm::Print(float x, float y, const std::string& text, Color color) {
  Draw({PopupDrawOp::kText, x, y, x + TextWidth(text), y + TextHeight(text), color, text, font_});
}

void CorePopupForm::Cls() {
  drawing_.clear();
  node_.Show(change::kContent);
}

float CorePopupForm::TwipsPerPixelX() const {
  return host_.Platform().TwipsPerPixelX();
}

float CorePopupForm::TwipsPerPixelY() const {
  return host_.Platform().TwipsPerPixelY();
}

float CorePopupForm::TextWidth(const std::string& text) const {
  return ToScaleX(host_.Platform().TextWidth(font_.get(), text));
}

float CorePopupForm::TextHeight(const std::string& text) const {
  return ToScaleY(host_.Platform().TextHeight(font_.get(), text));
}

std::unique_ptr<ListBox> CorePopupForm::CreateListBox() {
  return MakeWidget<CoreListBox>(host_, &window_);
}

std::unique_ptr<DataGrid> CorePopupForm::CreateDataGrid() {
  return MakeWidget<CoreDataGrid>(host_, &window_);
}

std::unique_ptr<TextBox> CorePopupForm::CreateTextBox() {
  return MakeWidget<CoreTextBox>(host_, &window_, nullptr, nullptr, false);
}

std::unique_ptr<Label> CorePopupForm::CreateLabel() {
  return MakeWidget<CoreLabel>(host_, &window_, nullptr);
}

std::unique_ptr<CommandButton> CorePopupForm::CreateButton(const std::string& caption) {
  return MakeWidget<CoreCommandButton>(host_, &window_, nullptr, nullptr, caption);
}

}  // namespace orvo
