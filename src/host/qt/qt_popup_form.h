// QtPopupForm: a popup as a real frameless top-level window; its drawing is recorded and
// painted, so the library draws into it at any time, as on a form with AutoRedraw.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/popup_widgets.h"
#include "host/qt/qt_widget.h"
#include "host/qt/qt_widgets.h"

namespace orvo {

struct QtDrawOp {
  enum Kind { kLine, kFill, kText } kind;
  float x1, y1, x2, y2;
  Color color;
  std::string text;
  QFont font;
};

class QtPopupForm : public PopupForm, public QtCoreHolder {
 public:
  explicit QtPopupForm(QtHost& host);
  ~QtPopupForm() override;

  float Left() const override { return core_.left; }
  float Top() const override { return core_.top; }
  float Width() const override { return core_.width; }
  float Height() const override { return core_.height; }
  void Move(float left, float top, float width, float height) override;
  bool Visible() const override { return window_->Shown(); }
  void SetVisible(bool v) override;
  bool Enabled() const override { return core_.enabled; }
  void SetEnabled(bool v) override { core_.enabled = v; }
  void ZOrder(int16_t) override;
  void Refresh() override;
  int32_t hWnd() const override { return window_->Hwnd(); }
  void SetFocus() override;
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }

  void Show(bool modal) override;
  void Hide() override;
  void Unload() override;
  bool Loaded() const override { return loaded_; }
  float ScaleWidth() const override { return ToScale(core_.width); }
  float ScaleHeight() const override { return ToScale(core_.height); }
  void SetScaleModePixels(bool pixels) override { pixels_ = pixels; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  void SetFontBold(bool bold) override;
  Color BackColor() const override { return kSysButtonHighlight; }
  void Line(float x1, float y1, float x2, float y2, Color color) override;
  void FillRect(float x1, float y1, float x2, float y2, Color color) override;
  void Print(float x, float y, const std::string& text, Color color) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  void Cls() override;

  std::unique_ptr<ListBox> CreateListBox() override;
  std::unique_ptr<DataGrid> CreateDataGrid() override;
  std::unique_ptr<TextBox> CreateTextBox() override;
  std::unique_ptr<Label> CreateLabel() override;
  std::unique_ptr<CommandButton> CreateButton(const std::string& caption) override;

  QtCore& Core() override { return core_; }
  QtWindow& Window() { return *window_; }
  QWidget* TopWidget() const { return top_; }
  const std::vector<QtDrawOp>& Drawing() const { return drawing_; }

 private:
  float ToScale(float twips) const { return pixels_ ? twips / 15 : twips; }
  float ToPixels(float v) const { return pixels_ ? v : v / 15; }
  void Load();
  void Paint(QPainter& p);

  QtHost& host_;
  QPointer<QtCanvas> top_;
  std::unique_ptr<QtWindow> window_;
  QtCore core_;
  PictureRef mouseIcon_;
  FontRef font_;
  bool loaded_ = false;
  bool modal_ = false;
  bool pixels_ = false;
  bool autoRedraw_ = false;
  bool unloading_ = false;
  std::vector<QtDrawOp> drawing_;
};

}  // namespace orvo
