// The Qt host's text box.
#include "host/qt/qt_text_box.h"

#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_services.h"

namespace orvo {

namespace {

QWidget* MakeEditor(QWidget* parent, bool multiLine) {
  if (!multiLine) {
    auto* line = new QLineEdit(parent);
    line->setFrame(false);
    return line;
  }
  auto* plain = new QPlainTextEdit(parent);
  plain->setTabChangesFocus(true);
  plain->setFrameShape(QFrame::NoFrame);
  return plain;
}

// Qt keeps line breaks as LF; the classic box as CR LF.
std::string ToClassicText(const QString& plain) {
  std::string out;
  for (QChar c : plain) {
    if (c == QChar('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
      out += "\r\n";
    } else {
      out.push_back(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
    }
  }
  return out;
}

QString ToPlainText(const std::string& classic) {
  QString out;
  for (size_t i = 0; i < classic.size(); ++i) {
    if (classic[i] == '\r' && i + 1 < classic.size() && classic[i + 1] == '\n') continue;
    out.append(QChar(static_cast<unsigned char>(classic[i])));
  }
  return out;
}

int32_t ClassicToQtPos(const std::string& classic, int32_t pos) {
  int32_t q = 0;
  for (int32_t i = 0; i < pos && i < static_cast<int32_t>(classic.size()); ++i)
    if (!(classic[i] == '\r' && i + 1 < static_cast<int32_t>(classic.size()) &&
          classic[i + 1] == '\n'))
      ++q;
  return q;
}

int32_t QtToClassicPos(const QString& plain, int32_t pos) {
  int32_t breaks = 0;
  for (int32_t i = 0; i < pos && i < plain.size(); ++i)
    if (plain[i] == QChar('\n') || plain[i] == QChar::ParagraphSeparator) ++breaks;
  return pos + breaks;
}

}  // namespace

QtTextBox::QtTextBox(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QWidget* qparent,
                     bool multiLine)
    : QtWidget(host, window, site, parent, QtKind::TextBox, MakeEditor(qparent, multiLine)),
      multiLine_(multiLine),
      line_(qobject_cast<QLineEdit*>(q_.data())),
      plain_(qobject_cast<QPlainTextEdit*>(q_.data())),
      font_(host.AmbientFont()->Clone()) {
  q_->setFont(ToQFont(font_.get()));
  // Text changed by the user through Qt itself (a context-menu paste, a drop).
  if (line_) QObject::connect(line_, &QLineEdit::textChanged, line_, [this] { OnQtTextChanged(); });
  if (plain_) {
    QObject::connect(plain_, &QPlainTextEdit::textChanged, plain_, [this] { OnQtTextChanged(); });
    host.AlsoRoute(plain_->viewport(), &core_);
  }
}

std::string QtTextBox::Text() const {
  if (line_) return ToLatin1(line_->text());
  if (plain_) return ToClassicText(plain_->toPlainText());
  return lastText_;
}

EditBuffer QtTextBox::Buffer() const {
  EditBuffer b;
  if (line_) {
    b.text = ToLatin1(line_->text());
    b.caret = line_->cursorPosition();
    b.anchor = b.caret;
    if (line_->hasSelectedText()) {
      int32_t start = line_->selectionStart();
      int32_t end = line_->selectionEnd();
      b.anchor = b.caret == start ? end : start;
    }
  } else if (plain_) {
    QString text = plain_->toPlainText();
    QTextCursor c = plain_->textCursor();
    b.text = ToClassicText(text);
    b.caret = QtToClassicPos(text, c.position());
    b.anchor = QtToClassicPos(text, c.anchor());
  }
  return b;
}

void QtTextBox::WriteSelection(const EditBuffer& b) {
  ++writing_;
  if (line_) {
    if (b.anchor == b.caret)
      line_->setCursorPosition(b.caret);
    else
      line_->setSelection(b.anchor, b.caret - b.anchor);
  } else if (plain_) {
    QTextCursor c = plain_->textCursor();
    c.setPosition(ClassicToQtPos(b.text, b.anchor));
    c.setPosition(ClassicToQtPos(b.text, b.caret), QTextCursor::KeepAnchor);
    plain_->setTextCursor(c);
  }
  --writing_;
}

void QtTextBox::Commit(const EditBuffer& edited) {
  bool changed = edited.text != Text();
  if (changed) {
    ++writing_;
    if (line_) line_->setText(FromLatin1(edited.text));
    if (plain_) plain_->setPlainText(ToPlainText(edited.text));
    --writing_;
    lastText_ = edited.text;
  }
  WriteSelection(edited);
  if (changed)
    if (auto change = OnChange) change();
}

void QtTextBox::OnQtTextChanged() {
  if (writing_) return;
  std::string now = Text();
  if (now == lastText_) return;
  lastText_ = now;
  if (auto change = OnChange) change();
}

void QtTextBox::SetText(const std::string& text) {
  if (text == Text()) return;
  Commit(EditBuffer{text, 0, 0});
}

void QtTextBox::SetSelStart(int32_t v) {
  EditBuffer b = Buffer();
  b.Collapse(std::clamp(v, 0, static_cast<int32_t>(b.text.size())));
  WriteSelection(b);
}

void QtTextBox::SetSelLength(int32_t v) {
  EditBuffer b = Buffer();
  int32_t start = b.SelStart();
  b.anchor = start;
  b.caret = start + std::clamp(v, 0, static_cast<int32_t>(b.text.size()) - start);
  WriteSelection(b);
}

std::string QtTextBox::SelText() const {
  EditBuffer b = Buffer();
  return b.text.substr(b.SelStart(), b.SelLength());
}

void QtTextBox::SetSelText(const std::string& s) {
  EditBuffer b = Buffer();
  b.ReplaceSelection(s);
  Commit(b);
}

void QtTextBox::SetLocked(bool v) {
  locked_ = v;
  if (line_) line_->setReadOnly(v);
  if (plain_) plain_->setReadOnly(v);
}

void QtTextBox::SetBackColor(Color c) {
  backColor_ = c;
  QPalette pal = q_->palette();
  pal.setColor(QPalette::Base, ToQColor(c));
  q_->setPalette(pal);
}

void QtTextBox::SetForeColor(Color c) {
  foreColor_ = c;
  QPalette pal = q_->palette();
  pal.setColor(QPalette::Text, ToQColor(c));
  q_->setPalette(pal);
}

void QtTextBox::SetFont(FontRef f) {
  font_ = std::move(f);
  q_->setFont(ToQFont(font_.get()));
}

void QtTextBox::SetPasswordChar(const std::string& c) {
  passwordChar_ = c.substr(0, 1);
  if (line_) line_->setEchoMode(passwordChar_.empty() ? QLineEdit::Normal : QLineEdit::Password);
}

EditContext QtTextBox::Context() const {
  EditContext ctx;
  ctx.multiLine = multiLine_;
  ctx.locked = locked_;
  ctx.maxLength = maxLength_;
  QtServices* services = &host_.QtServicesRef();
  ctx.clipboardText = [services] { return services->ClipboardGetText(); };
  ctx.setClipboardText = [services](const std::string& s) { services->ClipboardSetText(s); };
  return ctx;
}

void QtTextBox::NativeKeyDown(int16_t keyCode, int16_t shift) {
  EditBuffer b = Buffer();
  if (ApplyEditKeyDown(b, keyCode, shift, Context()))
    Commit(b);
  else
    WriteSelection(b);
}

void QtTextBox::NativeChar(int16_t keyAscii) {
  EditBuffer b = Buffer();
  if (ApplyEditChar(b, keyAscii, Context()))
    Commit(b);
  else
    WriteSelection(b);
}

void QtTextBox::Drag(int32_t from, int32_t to) {
  EditBuffer b = Buffer();
  int32_t n = static_cast<int32_t>(b.text.size());
  b.anchor = std::clamp(from, 0, n);
  b.caret = std::clamp(to, 0, n);
  WriteSelection(b);
}

}  // namespace orvo
