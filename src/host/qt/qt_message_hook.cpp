// The Qt host's message hook.
#include "host/qt/qt_message_hook.h"

#include "host/qt/qt_host.h"

namespace orvo {

QtMessageHook::QtMessageHook(QtHost& host) : host_(host) {
  host_.AddHook(this);
}

QtMessageHook::~QtMessageHook() {
  host_.RemoveHook(this);
}

void QtMessageHook::SetMessage(int32_t msg, bool report) {
  if (report)
    selected_.insert(msg);
  else
    selected_.erase(msg);
}

void QtMessageHook::Deliver(int32_t hwnd, int32_t msg) {
  if (hwnd == 0 || hwnd != hwnd_ || !Message(msg)) return;
  if (auto handler = OnMessage) handler(msg);
}

}  // namespace orvo
