// The Qt platform's event filter: Qt's key, mouse, focus and activation events as the
// host model's input.
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include "host/core/core_host.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

KeyStroke StrokeOf(const QKeyEvent* e) {
  KeyStroke k;
  k.keyCode = VirtualKeyOf(e->key(), e->text(), e->modifiers());
  k.shift = ShiftStateOf(e->modifiers());
  const QString text = e->text();
  // Delete types no character here, though some platforms attach DEL to it; nor does a key
  // with Alt (and no Ctrl): it is an access key, not typing.
  const bool accessKey =
      (e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier);
  if (text.size() == 1 && text[0].unicode() < 256 && k.keyCode != vk::kDelete && !accessKey)
    k.keyAscii = static_cast<int16_t>(text[0].unicode());
  return k;
}

// Whether a key is the field's before any shortcut of its window: what types or edits text
// (keys without Ctrl, Alt or Meta, the standard editing keys, Ctrl+Tab), as Qt's own editors
// claim them. Other keys with Ctrl or Alt go to the window's shortcuts first (a menu's
// Ctrl+S, its access keys, as a form's accelerators took them) and come on to the field
// when no shortcut wants them.
bool FieldKeyFirst(const QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return true;
  if (e->key() == Qt::Key_Tab && (mods & Qt::ControlModifier)) return true;
  for (QKeySequence::StandardKey editing :
       {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
        QKeySequence::Redo, QKeySequence::SelectAll, QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord, QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord, QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument, QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument, QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord})
    if (e->matches(editing)) return true;
  return false;
}

int16_t ButtonOf(Qt::MouseButtons b) {
  int16_t out = 0;
  if (b & Qt::LeftButton) out |= 1;
  if (b & Qt::RightButton) out |= 2;
  if (b & Qt::MiddleButton) out |= 4;
  return out;
}

}  // namespace

bool QtPlatform::Filter(QObject* watched, QEvent* event) {
  if (closed_) return false;
  WidgetNode* node = byObject_.value(watched, nullptr);
  CoreWindow* top = tops_.value(watched, nullptr);
  if (!node && !top) return false;
  // Marks the object Qt is delivering the event to, around the handlers the filter calls.
  delivering_.push_back(watched);
  struct Done {
    std::vector<QObject*>& stack;
    ~Done() { stack.pop_back(); }
  } done{delivering_};
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      if (!FieldKeyFirst(static_cast<QKeyEvent*>(event))) return false;
      event->accept();
      return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      const KeyStroke* sent = SendingStroke(e);
      host_->KeyPressed(node, node ? node->window : top, sent ? *sent : StrokeOf(e));
      return true;
    }
    case QEvent::KeyRelease: {
      auto* e = static_cast<QKeyEvent*>(event);
      if (e->isAutoRepeat()) return true;
      const KeyStroke* sent = SendingStroke(e);
      host_->KeyReleased(node, sent ? *sent : StrokeOf(e));
      return true;
    }
    case QEvent::InputMethod: {
      // Text an input method commits (a dead-key compose, a candidate chosen) is typed: each
      // character goes down as its key, through the control's key handlers, the mask and a
      // list's search. The key the user lets go comes up as itself, so a composed "a" reads
      // as a typed one. The text still being composed is left to Qt to show.
      auto* e = static_cast<QInputMethodEvent*>(event);
      if (!node || e->commitString().isEmpty()) return false;
      const std::string typed = ToLatin1(e->commitString());
      e->setCommitString(QString());
      for (char c : typed) {
        host_->KeyPressed(node, node->window, KeyStrokeForChar(static_cast<unsigned char>(c)));
        // A handler may have destroyed the widget: the rest of the text has nowhere to go.
        if (!(node = byObject_.value(watched, nullptr))) return true;
      }
      return false;
    }
    case QEvent::FocusIn:
      // Only a click is the user's: Tab never reaches Qt's navigation, and Qt's own moves
      // (a focused widget hidden, a window activated) are not focus changes of the form.
      if (node && !Syncing() && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        host_->UserFocus(node);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // Qt's name for the second press of a double click
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
      if (!node) return false;
      auto* e = static_cast<QMouseEvent*>(event);
      QPointF p = e->position();
      QWidget* view = QtView::WidgetOf(*node);
      // A viewport is a child of its widget: its point is mapped up into the widget's
      // coordinates (mapFrom would walk from the widget towards the viewport and never
      // reach it).
      if (view && watched != view && view->isAncestorOf(static_cast<QWidget*>(watched)))
        p = static_cast<QWidget*>(watched)->mapTo(view, e->position());
      int kind = event->type() == QEvent::MouseButtonPress      ? 0
                 : event->type() == QEvent::MouseButtonRelease  ? 1
                 : event->type() == QEvent::MouseButtonDblClick ? 3
                                                                : 2;
      int16_t buttons = ButtonOf(kind == 1 ? Qt::MouseButtons(e->button()) : e->buttons());
      host_->UserMouse(node, kind, buttons, ShiftStateOf(e->modifiers()),
                       static_cast<float>(p.x()) * QtTwipsPerPixel(),
                       static_cast<float>(p.y()) * QtTwipsPerPixel());
      return false;
    }
    case QEvent::Wheel: {
      // Notches of 120 eighths of a degree; a fine-grained wheel's parts add up. Over a
      // scroll bar a notch is one click on an arrow, not Qt's three lines; other widgets
      // scroll by their own rule (the grid three rows a notch).
      if (!node) return false;
      const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
      wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
      const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
      wheelRest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
      if (node->kind == WidgetKind::ScrollBar) {
        if (notches != 0) {
          HandlingInput([&] {
            host_->WheelScrollBar(*static_cast<ScrollBar*>(node->widget), notches);
            host_->ProcessPending();
          });
        }
        return true;
      }
      bool taken = false;
      HandlingInput([&] {
        taken = host_->UserWheel(node, notches);
        host_->ProcessPending();
      });
      return taken;
    }
    case QEvent::Close:
      // A popup closed by the window system (Alt+F4) closes through the model, as on Escape;
      // Qt alone would hide it behind the control's back.
      if (!top || !top->Popup()) return false;
      event->ignore();
      host_->UserClosed(top);
      return true;
    case QEvent::Move:
    case QEvent::Resize:
      if (top && !top->Popup() && watched == formWidget_.get()) host_->FormMoved();
      return false;
    case QEvent::WindowActivate:
      if (top) UserActivatedLater(top);
      return false;
    case QEvent::WindowDeactivate:
      if (top) UserDeactivated(top);
      return false;
    default:
      return false;
  }
}

// Activations come late: one asked for before a later one (the form a click activated, then
// the popup the click opened) may arrive after it. Only the window still active once the
// queued events are handled, with no later request of the model pending, is the user's.
void QtPlatform::UserActivatedLater(CoreWindow* window) {
  int32_t hwnd = window->Hwnd();
  QTimer::singleShot(0, router_.get(), [this, hwnd] {
    if (closed_) return;
    // A window system that never grants the request does not hold the user's own
    // activations back for long.
    constexpr int kRequestPatienceMs = 1000;
    if (requestedHwnd_ == hwnd || requestedAt_.elapsed() > kRequestPatienceMs) requestedHwnd_ = 0;
    if (requestedHwnd_ != 0) return;
    CoreWindow* w = host_->WindowByHwnd(hwnd);
    QWidget* now = QApplication::activeWindow();
    if (!w || !now || WindowOfTop(now) != w) return;
    HandlingInput([&] {
      host_->UserActivated(w);
      host_->ProcessPending();
    });
  });
}

// Which window took over is known once the deactivation has been handled.
void QtPlatform::UserDeactivated(CoreWindow* window) {
  if (window != host_->ActiveWindow()) return;
  int32_t hwnd = window->Hwnd();
  QTimer::singleShot(0, router_.get(), [this, hwnd] {
    CoreWindow* active = closed_ ? nullptr : host_->ActiveWindow();
    if (!active || active->Hwnd() != hwnd) return;
    QWidget* now = QApplication::activeWindow();
    CoreWindow* w = WindowOfTop(now);
    if (w == active) return;
    HandlingInput([&] {
      host_->CoreServicesRef().ForgetCursor();
      host_->Activate(w);
      host_->ProcessPending();
    });
  });
}

}  // namespace orvo
