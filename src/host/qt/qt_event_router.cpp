// The Qt host's event filter.
#include "host/qt/qt_event_router.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"

namespace orvo {

namespace {

KeyStroke StrokeOf(const QKeyEvent* e) {
  KeyStroke k;
  k.keyCode = VirtualKeyOf(e->key(), e->text());
  k.shift = ShiftStateOf(e->modifiers());
  const QString text = e->text();
  // Delete types no character here, though some platforms attach DEL to it.
  if (text.size() == 1 && text[0].unicode() < 256 && k.keyCode != 46)
    k.keyAscii = static_cast<int16_t>(text[0].unicode());
  return k;
}

int16_t ButtonOf(Qt::MouseButtons b) {
  int16_t out = 0;
  if (b & Qt::LeftButton) out |= 1;
  if (b & Qt::RightButton) out |= 2;
  if (b & Qt::MiddleButton) out |= 4;
  return out;
}

}  // namespace

bool QtEventRouter::eventFilter(QObject* watched, QEvent* event) {
  QtCore* core = host_.CoreOfObject(watched);
  QtWindow* top = host_.WindowOfTop(watched);
  if (!core && !top) return false;
  QtHost::Delivering delivering(host_, watched);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Every key is the control's: no application shortcut takes it first.
      event->accept();
      return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      const KeyStroke* sent = host_.SendingStroke(e);
      host_.OnKeyPressEvent(core, core ? core->window : top, sent ? *sent : StrokeOf(e));
      return true;
    }
    case QEvent::KeyRelease: {
      auto* e = static_cast<QKeyEvent*>(event);
      if (e->isAutoRepeat()) return true;
      const KeyStroke* sent = host_.SendingStroke(e);
      host_.OnKeyReleaseEvent(core, sent ? *sent : StrokeOf(e));
      return true;
    }
    case QEvent::FocusIn:
      // Only a click is the user's: Tab never reaches Qt's navigation, and Qt's own moves
      // (a focused widget hidden, a window activated) are not focus changes of the form.
      if (core && !host_.SyncingFocus() &&
          static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        host_.OnUserFocus(core);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
      if (!core) return false;
      auto* e = static_cast<QMouseEvent*>(event);
      QPointF p = e->position();
      if (watched != core->qwidget.data()) {
        auto* w = static_cast<QWidget*>(watched);
        p = core->qwidget->mapFrom(w, e->position());
      }
      int kind = event->type() == QEvent::MouseButtonPress     ? 0
                 : event->type() == QEvent::MouseButtonRelease ? 1
                                                               : 2;
      int16_t buttons = ButtonOf(kind == 1 ? Qt::MouseButtons(e->button()) : e->buttons());
      host_.OnUserMouse(core, kind, buttons, ShiftStateOf(e->modifiers()),
                        static_cast<float>(p.x()) * kQtTwipsPerPixel,
                        static_cast<float>(p.y()) * kQtTwipsPerPixel);
      return false;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (top) host_.OnUserActivation(top, event->type() == QEvent::WindowActivate);
      return false;
    default:
      return false;
  }
}

}  // namespace orvo
