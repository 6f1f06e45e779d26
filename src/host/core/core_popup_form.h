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

// The popup's window, made before the widget part puts the popup's own node on it.
struct PopupWindowHolder {
  PopupWindowHolder(CoreHost& host, CorePopupForm* popup) : window_(host, popup) {}
  CoreWindow window_;
};

class CorePopupForm : private PopupWindowHolder, public CoreWidget<PopupForm> {
 public:
  explicit CorePopupForm(CoreHost& host);
  ~CorePopupForm() override;

  // Widget: Left and Top are screen positions (twips).
  void Move(float left, float top, float width, float height) override;
  bool Visible() const override { return window_.Shown(); }
  void SetVisible(bool v) override;
  void Refresh() override;
  void SetFocus() override;

  // PopupForm.
  void Show(bool modal) override;
  void Hide() override;
  void Unload() override;
  bool Loaded() const override { return loaded_; }
  float ScaleWidth() const override { return ToScaleX(node_.width); }
  float ScaleHeight() const override { return ToScaleY(node_.height); }
  void SetScaleModePixels(bool pixels) override { pixels_ = pixels; }
  void SetAutoRedraw(bool v) override { autoRedraw_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = f ? std::move(f) : font_; }
  void SetFontBold(bool bold) override;
  Color BackColor() const override { return kSysButtonFace; }
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

  CoreWindow& Window() { return window_; }
  bool Modal() const { return modal_; }
  bool AutoRedraw() const { return autoRedraw_; }
  // Scale units to pixels, across and down.
  float ToPixelsX(float v) const { return pixels_ ? v : v / TwipsPerPixelX(); }
  float ToPixelsY(float v) const { return pixels_ ? v : v / TwipsPerPixelY(); }
  const std::vector<PopupDrawOp>& Drawing() const { return drawing_; }

 private:
  float TwipsPerPixelX() const;
  float TwipsPerPixelY() const;
  float ToScaleX(float twips) const { return pixels_ ? twips / TwipsPerPixelX() : twips; }
  float ToScaleY(float twips) const { return pixels_ ? twips / TwipsPerPixelY() : twips; }
  void Load();
  void Draw(PopupDrawOp op);
  void SetFormDisabled(bool disabled);

  FontRef font_;
  bool loaded_ = false;
  bool modal_ = false;
  bool pixels_ = false;
  bool autoRedraw_ = false;
  bool unloading_ = false;
  std::vector<PopupDrawOp> drawing_;
};

}  // namespace orvo
