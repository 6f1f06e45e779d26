// CorePopupForm: a top-level popup window of the host model. What the library draws on it
// is kept as data (lines, fills, texts with positions and fonts), which the platform's view
// paints.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/core_window.h"
#include "platform/popup_widgets.h"

namespace orvo {

// One drawing operation on a popup form, in its scale units.
struct PopupDrawOp {
  enum Kind { kLine, kFill, kText } kind;
  float x1, y1, x2, y2;
  Color color;
  std::string text;
  FontRef font;  // the form's font when the text was printed
};

class CorePopupForm : public PopupForm, public NodeOwner {
 public:
  explicit CorePopupForm(CoreHost& host);
  ~CorePopupForm() override;
  void Attach();

  // Widget: Left and Top are screen positions (twips).
  float Left() const override { return node_.left; }
  float Top() const override { return node_.top; }
  float Width() const override { return node_.width; }
  float Height() const override { return node_.height; }
  void Move(float left, float top, float width, float height) override;
  bool Visible() const override { return window_.Shown(); }
  void SetVisible(bool v) override;
  bool Enabled() const override { return node_.enabled; }
  void SetEnabled(bool v) override { node_.enabled = v; }
  void ZOrder(int16_t position) override;
  void Refresh() override;
  int32_t hWnd() const override { return window_.Hwnd(); }
  void SetFocus() override;
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }

  // PopupForm.
  void Show(bool modal) override;
  void Hide() override;
  void Unload() override;
  bool Loaded() const override { return loaded_; }
  float ScaleWidth() const override { return ToScale(node_.width); }
  float ScaleHeight() const override { return ToScale(node_.height); }
  void SetScaleModePixels(bool pixels) override { pixels_ = pixels; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = f ? std::move(f) : font_; }
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

  WidgetNode& Node() override { return node_; }
  CoreWindow& Window() { return window_; }
  bool Modal() const { return modal_; }
  bool AutoRedraw() const { return autoRedraw_; }
  // Scale units to pixels.
  float ToPixels(float v) const { return pixels_ ? v : v / 15; }
  const std::vector<PopupDrawOp>& Drawing() const { return drawing_; }

 private:
  float ToScale(float twips) const { return pixels_ ? twips / 15 : twips; }
  void Load();
  void Draw(PopupDrawOp op);
  void SetFormDisabled(bool disabled);

  CoreHost& host_;
  WidgetNode node_;  // before the window: the window lets go of its widgets first
  CoreWindow window_;
  PictureRef mouseIcon_;
  FontRef font_;
  bool loaded_ = false;
  bool modal_ = false;
  bool pixels_ = false;
  bool autoRedraw_ = false;
  bool unloading_ = false;
  std::vector<PopupDrawOp> drawing_;
};

}  // namespace orvo
