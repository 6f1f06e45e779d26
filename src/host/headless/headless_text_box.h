// HeadlessTextBox: a text box over an EditBuffer, editing keys the control leaves to it.
#pragma once

#include <string>

#include "host/headless/headless_widget.h"
#include "host/headless/text_edit_keys.h"

namespace orvo {

class HeadlessTextBox : public HeadlessWidget<TextBox> {
 public:
  HeadlessTextBox(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                  WidgetCore* parent, bool multiLine);

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
  void SetLocked(bool v) override { locked_ = v; }
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override { backColor_ = c; }
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override { foreColor_ = c; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { font_ = std::move(f); }
  std::string PasswordChar() const override { return passwordChar_; }
  void SetPasswordChar(const std::string& c) override { passwordChar_ = c.substr(0, 1); }

  // What the box does with a key down and a character nobody zeroed.
  void NativeKeyDown(int16_t keyCode, int16_t shift);
  void NativeChar(int16_t keyAscii);
  // Anchor and caret as a mouse drag leaves them.
  void Drag(int32_t from, int32_t to);

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
