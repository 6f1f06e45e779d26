// QtTextBox: a QLineEdit (one line) or QPlainTextEdit (several) as the control's text box.
// Text and selection live in the Qt widget; the box presents them in the classic form
// (Latin-1, CR LF line breaks counted as two positions).
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

#include "host/core/text_edit_keys.h"
#include "host/qt/qt_widget.h"

namespace orvo {

class QtTextBox : public QtWidget<TextBox, QWidget> {
 public:
  QtTextBox(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent,
            bool multiLine);

  bool MultiLine() const override { return multiLine_; }
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int32_t SelStart() const override { return Buffer().SelStart(); }
  void SetSelStart(int32_t v) override;
  int32_t SelLength() const override { return Buffer().SelLength(); }
  void SetSelLength(int32_t v) override;
  std::string SelText() const override;
  void SetSelText(const std::string& s) override;
  int32_t MaxLength() const override { return maxLength_; }
  void SetMaxLength(int32_t v) override { maxLength_ = v < 0 ? 0 : v; }
  bool Locked() const override { return locked_; }
  void SetLocked(bool v) override;
  Color BackColor() const override { return backColor_; }
  void SetBackColor(Color c) override;
  Color ForeColor() const override { return foreColor_; }
  void SetForeColor(Color c) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  std::string PasswordChar() const override { return passwordChar_; }
  void SetPasswordChar(const std::string& c) override;

  void NativeKeyDown(int16_t keyCode, int16_t shift);
  void NativeChar(int16_t keyAscii);
  void Drag(int32_t from, int32_t to);

 private:
  EditBuffer Buffer() const;
  // Writes text and selection to the Qt widget; raises OnChange when the text changed.
  void Commit(const EditBuffer& edited);
  void WriteSelection(const EditBuffer& b);
  void OnQtTextChanged();
  EditContext Context() const;
  QLineEdit* Line() const { return line_; }
  QPlainTextEdit* Plain() const { return plain_; }

  bool multiLine_;
  QPointer<QLineEdit> line_;
  QPointer<QPlainTextEdit> plain_;
  std::string lastText_;
  int writing_ = 0;
  int32_t maxLength_ = 0;
  bool locked_ = false;
  Color backColor_ = kSysWindowBackground;
  Color foreColor_ = kSysWindowText;
  FontRef font_;
  std::string passwordChar_;
};

}  // namespace orvo
