// The headless message hook.
#include "host/headless/headless_message_hook.h"

#include "host/headless/headless_host.h"

namespace orvo {

HeadlessMessageHook::HeadlessMessageHook(HeadlessHost& host) : host_(host) {
  host_.AddHook(this);
}

HeadlessMessageHook::~HeadlessMessageHook() {
  host_.RemoveHook(this);
}

void HeadlessMessageHook::SetMessage(int32_t msg, bool report) {
  if (report)
    selected_.insert(msg);
  else
    selected_.erase(msg);
}

void HeadlessMessageHook::Deliver(int32_t hwnd, int32_t msg) {
  if (hwnd == 0 || hwnd != hwnd_ || !Message(msg)) return;
  if (auto handler = OnMessage) handler(msg);
}

}  // namespace orvo
