// The text box's view: a QLineEdit (one line) or QPlainTextEdit (several) that shows the
// model's text and selection. Keys never edit it (the event filter takes them, and types the
// text an input method commits); a selection the user makes with Qt's own mouse handling goes
// back to the model, a text Qt changed by itself (a drop, a middle-button paste) does not. The
// context menu is the model's, whose actions take the paths of their keys.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <memory>

#include "host/core/core_host.h"
#include "host/core/core_text_box.h"
#include "host/core/edit_menu.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

// The first line of text stands this far below the editor's top: QLineEdit's own margin above
// a top-aligned line, and the document margin the multi-line editor is given. A line at the
// top, whatever the box's height, is where a caption beside the box can meet it.
constexpr int kLineEditTopMargin = 1;
constexpr int kPlainTextMargin = 2;

// Qt keeps line breaks as LF; the model as CR LF.
std::string ToClassicText(const QString& plain) {
  std::string out;
  for (QChar c : plain) {
    if (c == QChar('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
      out += "\r\n";
    else
      out.push_back(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
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
  int32_t q = 0, n = static_cast<int32_t>(classic.size());
  for (int32_t i = 0; i < pos && i < n; ++i)
    if (!(classic[i] == '\r' && i + 1 < n && classic[i + 1] == '\n')) ++q;
  return q;
}

int32_t QtToClassicPos(const QString& plain, int32_t pos) {
  int32_t breaks = 0;
  for (int32_t i = 0; i < pos && i < plain.size(); ++i)
    if (plain[i] == QChar('\n') || plain[i] == QChar::ParagraphSeparator) ++breaks;
  return pos + breaks;
}

class QtTextView : public QtView {
 public:
  QtTextView(QtPlatform& platform, WidgetNode& node) : QtView(platform, node) {}

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    QWidget* editor;
    if (static_cast<TextBox*>(node_.widget)->MultiLine()) {
      plain_ = new QPlainTextEdit(parent);
      plain_->setTabChangesFocus(true);
      plain_->setFrameShape(QFrame::NoFrame);
      plain_->document()->setDocumentMargin(kPlainTextMargin);
      QObject::connect(plain_, &QPlainTextEdit::textChanged, plain_, [this] { FromUser(); });
      QObject::connect(plain_, &QPlainTextEdit::cursorPositionChanged, plain_,
                       [this] { FromUser(); });
      platform_.Route(plain_->viewport(), &node_);
      editor = plain_;
    } else {
      line_ = new QLineEdit(parent);
      line_->setFrame(false);
      line_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      QObject::connect(line_, &QLineEdit::textChanged, line_, [this] { FromUser(); });
      QObject::connect(line_, &QLineEdit::selectionChanged, line_, [this] { FromUser(); });
      QObject::connect(line_, &QLineEdit::cursorPositionChanged, line_, [this] { FromUser(); });
      editor = line_;
    }
    editor->setAcceptDrops(false);
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        editor, &QWidget::customContextMenuRequested, editor,
        [this](const QPoint& at) { platform_.HandlingInput([&] { ShowEditMenu(at); }); });
    return editor;
  }

  void ShowModel(uint32_t changes) override {
    const CoreTextBox& box = Box();
    ++writing_;
    if ((changes & change::kContent) && box.Text() != shown_) {
      shown_ = box.Text();
      if (line_) line_->setText(FromLatin1(shown_));
      if (plain_) plain_->setPlainText(ToPlainText(shown_));
    }
    if (changes & (change::kContent | change::kSelection)) ShowSelection(box.Buffer());
    if (changes & change::kStyle) ShowStyle(box);
    --writing_;
  }

 private:
  CoreTextBox& Box() const { return static_cast<CoreTextBox&>(*node_.widget); }

  void ShowSelection(const EditBuffer& b) {
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
  }

  void ShowStyle(const CoreTextBox& box) {
    QWidget* w = widget_;
    w->setFont(ToQFont(box.Font().get()));
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ToQColor(box.BackColor()));
    pal.setColor(QPalette::Text, ToQColor(box.ForeColor()));
    w->setPalette(pal);
    if (line_) {
      line_->setReadOnly(box.Locked());
      line_->setEchoMode(box.PasswordChar().empty() ? QLineEdit::Normal : QLineEdit::Password);
    }
    if (plain_) plain_->setReadOnly(box.Locked());
  }

  void ShowEditMenu(const QPoint& at) {
    static const char* const kTexts[] = {"Cu&t", "&Copy", "&Paste", "Delete", "Select All"};
    static const QKeySequence::StandardKey kKeys[] = {QKeySequence::Cut, QKeySequence::Copy,
                                                      QKeySequence::Paste, QKeySequence::Delete,
                                                      QKeySequence::SelectAll};
    CoreHost& host = platform_.Host();
    // Not the editor's child: an action may end with the control destroying its box.
    auto* menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const EditMenuItem& item : EditMenuFor(Box(), !host.ClipboardText().empty())) {
      const auto i = static_cast<int>(item.action);
      if (item.action == EditMenuAction::SelectAll && !menu->isEmpty()) menu->addSeparator();
      QAction* action = menu->addAction(QString::fromLatin1(kTexts[i]));
      action->setShortcut(QKeySequence(kKeys[i]));
      action->setEnabled(item.enabled);
      const EditMenuAction chosen = item.action;
      std::weak_ptr<bool> alive = alive_;
      QObject::connect(action, &QAction::triggered, menu, [this, alive, chosen] {
        if (alive.expired()) return;
        platform_.HandlingInput([&] { RunEditMenuAction(platform_.Host(), Box(), chosen); });
      });
    }
    menu->popup(widget_->mapToGlobal(at));
  }

  // Text or selection the user changed through Qt itself.
  void FromUser() {
    if (writing_ || !widget_) return;
    std::string text;
    int32_t anchor, caret;
    if (line_) {
      text = ToLatin1(line_->text());
      caret = line_->cursorPosition();
      anchor = caret;
      if (line_->hasSelectedText())
        anchor = caret == line_->selectionStart() ? line_->selectionEnd() : line_->selectionStart();
    } else {
      QString plain = plain_->toPlainText();
      QTextCursor c = plain_->textCursor();
      text = ToClassicText(plain);
      caret = QtToClassicPos(plain, c.position());
      anchor = QtToClassicPos(plain, c.anchor());
    }
    shown_ = text;
    // The box's Change handlers run here, inside Qt's signal; one may destroy the box.
    std::weak_ptr<bool> alive = alive_;
    platform_.HandlingInput([&] { Box().UserEdit(text, anchor, caret); });
    if (alive.expired()) return;
    // Qt is still inside its edit: the box's own text goes back once it is done.
    if (Box().Text() != text) {
      QMetaObject::invokeMethod(
          widget_,
          [this, alive] {
            if (!alive.expired()) ShowModel(change::kContent | change::kSelection);
          },
          Qt::QueuedConnection);
    }
  }

  QPointer<QLineEdit> line_;
  QPointer<QPlainTextEdit> plain_;
  std::string shown_;  // the text last written to the editor
  int writing_ = 0;
  // Expires with the view: calls Qt makes later find out whether it is still there.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

int FirstLineBaseline(const QWidget* editor) {
  if (auto* line = qobject_cast<const QLineEdit*>(editor))
    return line->contentsRect().top() + line->textMargins().top() + kLineEditTopMargin +
           QFontMetrics(line->font()).ascent();
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(editor))
    return plain->viewport()->y() + kPlainTextMargin + QFontMetrics(plain->font()).ascent();
  return -1;
}

std::unique_ptr<WidgetView> MakeQtTextView(QtPlatform& platform, WidgetNode& node) {
  return std::make_unique<QtTextView>(platform, node);
}

}  // namespace orvo
