// CoreTextBox: the text box of the host model. It owns its edit buffer and edits the keys
// the control leaves to it; its view only shows the text and the selection.
#pragma once

#include <string>

#include "host/core/text_edit_keys.h"
#include "host/core/widget_node.h"

namespace orvo {

class CoreTextBox : public CoreWidget<TextBox> {
 public:
  CoreTextBox(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
              bool multiLine);

  bool MultiLine() const override { return multiLine_; }
  std::string Text() const override { return buffer_.text; }
  void SetText(const std::string& text) override;
  int32_t SelStart() const override { return buffer_.SelStart(); }
  void SetSelStart(int32_t v) override;
  int32_t SelLength() const override { return buffer_.SelLength(); }
  void SetSelLength(int32_t v) override;
  std::string SelText() const override;
  void SetSelText(const std::string& s) override;
  int32_t MaxLength() const override { return maxLength_; }
  void SetMaxLength(int32_t v) override { maxLength_ = v < 0 ? 0 : v; }
  bool Locked() const override { return locked_; }
  void SetLocked(bool v) override { Set(locked_, v, change::kStyle); }
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override { Set(backColor_, c, change::kStyle); }
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { Set(foreColor_, c, change::kStyle); }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { Set(font_, std::move(f), change::kStyle); }
  std::string PasswordChar() const override { return passwordChar_; }
  void SetPasswordChar(const std::string& c) override {
    Set(passwordChar_, c.substr(0, 1), change::kStyle);
  }

  // What the box does with a key down and a character nobody zeroed.
  void NativeKeyDown(int16_t keyCode, int16_t shift) override;
  void NativeChar(int16_t keyAscii) override;
  // Anchor and caret as a mouse drag leaves them.
  void Drag(int32_t anchor, int32_t caret);
  // What the platform's own editing left in its view: the selection counts, a changed
  // text does not (only keys edit the text).
  void UserEdit(const std::string& text, int32_t anchor, int32_t caret);
  const EditBuffer& Buffer() const { return buffer_; }

 private:
  EditContext Context() const;
  // Takes an edited buffer; raises OnChange when its text differs.
  void Commit(EditBuffer edited);

  bool multiLine_;
  EditBuffer buffer_;
  int32_t maxLength_ = 0;
  bool locked_ = false;
  Color backColor_ = kSysWindowBackground;
  Color foreColor_ = kSysWindowText;
  FontRef font_;
  std::string passwordChar_;
};

}  // namespace orvo
