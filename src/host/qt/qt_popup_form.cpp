// The Qt host's popup form.
#include "host/qt/qt_popup_form.h"

#include <QFontMetrics>
#include <QPainter>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_data_grid.h"
#include "host/qt/qt_list_box.h"
#include "host/qt/qt_text_box.h"

namespace orvo {

QtPopupForm::QtPopupForm(QtHost& host)
    : host_(host),
      top_(new QtCanvas(nullptr)),
      window_(std::make_unique<QtWindow>(host, this, top_)),
      font_(host.AmbientFont()->Clone()) {
  top_->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  top_->setAttribute(Qt::WA_DeleteOnClose, false);
  top_->paint = [this](QPainter& p) { Paint(p); };
  core_.kind = QtKind::Popup;
  core_.widget = this;
  core_.qwidget = top_;
  core_.window = window_.get();
  core_.hwnd = window_->Hwnd();
  core_.width = 3000;
  core_.height = 2000;
  host_.Register(&core_);
  host_.WatchTopLevel(top_);
  top_->resize(200, 133);
}

QtPopupForm::~QtPopupForm() {
  QtHost::FocusSync sync(host_);
  host_.Unregister(&core_);
  // Widgets the library still holds outlive the window: they leave it first.
  for (QtCore* c : window_->Cores())
    if (c->qwidget && c->qwidget->parentWidget() == top_) {
      c->qwidget->hide();
      c->qwidget->setParent(nullptr);
    }
  window_.reset();
  host_.DisposeWidget(top_.data());
}

void QtPopupForm::Move(float left, float top, float width, float height) {
  bool resized = width != core_.width || height != core_.height;
  core_.left = left, core_.top = top, core_.width = width, core_.height = height;
  window_->SetOrigin(left, top);
  top_->setGeometry(orvo::ToPixels(left), orvo::ToPixels(top), std::max(1, orvo::ToPixels(width)),
                    std::max(1, orvo::ToPixels(height)));
  if (!resized) return;
  if (auto resize = OnResize) resize();
  if (window_->Shown()) {
    host_.SendHookMessage(window_->Hwnd(), kWmSize);
    host_.RequestPaint(window_.get());
  }
}

void QtPopupForm::SetVisible(bool v) {
  if (v)
    Show(false);
  else
    Hide();
}

void QtPopupForm::ZOrder(int16_t position) {
  if (position == 0)
    top_->raise();
  else
    top_->lower();
}

void QtPopupForm::Refresh() {
  top_->update();
  if (window_->Shown()) host_.RequestPaint(window_.get());
}

void QtPopupForm::SetFocus() {
  if (!window_->Shown())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  host_.Activate(window_.get());
}

void QtPopupForm::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (auto load = OnLoad) load();
}

// A modal show does not run a loop of its own: the popup shows application-modal and the
// main form's window style carries the disabled bit until it hides.
void QtPopupForm::Show(bool modal) {
  Load();
  modal_ = modal;
  if (modal) {
    int32_t form = host_.Form().Hwnd();
    auto& s = host_.Services();
    s.SetWindowLong(form, kGwlStyle, s.GetWindowLong(form, kGwlStyle) | kWsDisabled);
    top_->setWindowModality(Qt::ApplicationModal);
  }
  if (!window_->Shown()) {
    window_->SetShown(true);
    top_->show();
    host_.RequestPaint(window_.get());
  }
  host_.Activate(window_.get());
  // As a form that shows: the first widget that can take the focus gets it, unless one
  // had it when the form last hid.
  if (!window_->Focused())
    for (auto* c : window_->Cores())
      if (window_->CanFocus(c)) {
        window_->MoveFocus(c);
        break;
      }
}

void QtPopupForm::Hide() {
  if (modal_) {
    int32_t form = host_.Form().Hwnd();
    auto& s = host_.Services();
    s.SetWindowLong(form, kGwlStyle, s.GetWindowLong(form, kGwlStyle) & ~kWsDisabled);
    top_->setWindowModality(Qt::NonModal);
    modal_ = false;
  }
  if (!window_->Shown()) return;
  window_->SetShown(false);
  top_->hide();
  if (host_.ActiveWindow() == window_.get()) host_.Activate(&host_.Form());
}

void QtPopupForm::Unload() {
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

void QtPopupForm::SetFont(FontRef f) {
  if (f) font_ = std::move(f);
}

void QtPopupForm::SetFontBold(bool bold) {
  font_ = font_->Clone();
  font_->bold = bold;
}

void QtPopupForm::Line(float x1, float y1, float x2, float y2, Color color) {
  drawing_.push_back({QtDrawOp::kLine, x1, y1, x2, y2, color, {}, {}});
  top_->update();
}

void QtPopupForm::FillRect(float x1, float y1, float x2, float y2, Color color) {
  drawing_.push_back({QtDrawOp::kFill, x1, y1, x2, y2, color, {}, {}});
  top_->update();
}

void QtPopupForm::Print(float x, float y, const std::string& text, Color color) {
  drawing_.push_back({QtDrawOp::kText, x, y, x + TextWidth(text), y + TextHeight(text), color, text,
                      ToQFont(font_.get())});
  top_->update();
}

float QtPopupForm::TextWidth(const std::string& text) const {
  QFontMetrics fm(ToQFont(font_.get()));
  return ToScale(fm.horizontalAdvance(FromLatin1(text)) * kQtTwipsPerPixel);
}

float QtPopupForm::TextHeight(const std::string& text) const {
  QFontMetrics fm(ToQFont(font_.get()));
  int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  return ToScale(static_cast<float>(fm.height() * lines) * kQtTwipsPerPixel);
}

void QtPopupForm::Cls() {
  drawing_.clear();
  top_->update();
}

void QtPopupForm::Paint(QPainter& p) {
  p.fillRect(top_->rect(), ToQColor(BackColor()));
  for (const QtDrawOp& op : drawing_) {
    QPointF a(ToPixels(op.x1), ToPixels(op.y1)), b(ToPixels(op.x2), ToPixels(op.y2));
    switch (op.kind) {
      case QtDrawOp::kLine:
        p.setPen(ToQColor(op.color));
        p.drawLine(a, b);
        break;
      case QtDrawOp::kFill:
        p.fillRect(QRectF(a, b), ToQColor(op.color));
        break;
      case QtDrawOp::kText:
        p.setPen(ToQColor(op.color));
        p.setFont(op.font);
        p.drawText(QRectF(a, b), Qt::AlignLeft | Qt::AlignTop, FromLatin1(op.text));
        break;
    }
  }
}

std::unique_ptr<ListBox> QtPopupForm::CreateListBox() {
  return std::make_unique<QtListBox>(host_, window_.get(), nullptr, nullptr, top_);
}

std::unique_ptr<DataGrid> QtPopupForm::CreateDataGrid() {
  return std::make_unique<QtDataGrid>(host_, window_.get(), top_);
}

std::unique_ptr<TextBox> QtPopupForm::CreateTextBox() {
  return std::make_unique<QtTextBox>(host_, window_.get(), nullptr, nullptr, top_, false);
}

std::unique_ptr<Label> QtPopupForm::CreateLabel() {
  return std::make_unique<QtLabel>(host_, window_.get(), nullptr, top_);
}

std::unique_ptr<CommandButton> QtPopupForm::CreateButton(const std::string& caption) {
  return std::make_unique<QtCommandButton>(host_, window_.get(), nullptr, nullptr, top_, caption);
}

}  // namespace orvo
