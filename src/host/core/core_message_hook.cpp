// The host model's message hook.
#include "host/core/core_message_hook.h"

#include "host/core/core_host.h"

namespace orvo {

CoreMessageHook::CoreMessageHook(CoreHost& host) : host_(host) {
  host_.AddHook(this);
}

CoreMessageHook::~CoreMessageHook() {
  host_.RemoveHook(this);
}

void CoreMessageHook::SetMessage(int32_t msg, bool report) {
  if (report)
    selected_.insert(msg);
  else
    selected_.erase(msg);
}

void CoreMessageHook::Deliver(int32_t hwnd, int32_t msg) {
  if (hwnd == 0 || hwnd != hwnd_ || !Message(msg)) return;
  if (auto handler = OnMessage) handler(msg);
}

}  // namespace orvo
