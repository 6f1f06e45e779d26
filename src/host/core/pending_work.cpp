// Activation, message hooks, and the work that waits for the current delivery to return:
// injected keys and pending paints.
#include <algorithm>

#include "host/core/core_host.h"
#include "host/core/core_message_hook.h"
#include "host/core/core_popup_form.h"

namespace orvo {

namespace {

// More pending events than this in one run means controls keep passing the focus round
// (every control disabled, each pressing Tab on entry): the rest is dropped.
constexpr int kPendingBudget = 500;

}  // namespace

void CoreHost::Activate(CoreWindow* window) {
  if (window == active_) return;
  CoreWindow* old = active_;
  active_ = window;
  platform_.WindowActivated(window);
  if (old) SendHookMessage(old->Hwnd(), kWmActivate);
  if (window) {
    SendHookMessage(window->Hwnd(), kWmActivate);
    if (CorePopupForm* popup = window->Popup())
      if (auto activate = popup->OnActivate) activate();
  }
}

void CoreHost::RequestPaint(CoreWindow* window) {
  if (std::find(pendingPaints_.begin(), pendingPaints_.end(), window->Hwnd()) ==
      pendingPaints_.end())
    pendingPaints_.push_back(window->Hwnd());
  platform_.ScheduleIdle();
}

void CoreHost::SendHookMessage(int32_t hwnd, int32_t msg) {
  std::vector<CoreMessageHook*> hooks = hooks_;
  for (CoreMessageHook* h : hooks)
    if (std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end()) h->Deliver(hwnd, msg);
}

void CoreHost::RemoveHook(CoreMessageHook* h) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), h), hooks_.end());
}

void CoreHost::QueueInjectedKey(uint8_t vk, int32_t flags) {
  injected_.push_back({vk, flags});
  platform_.ScheduleIdle();
}

void CoreHost::ProcessPending() {
  if (processing_) return;
  processing_ = true;
  int budget = kPendingBudget;
  while (budget-- > 0) {
    if (!injected_.empty()) {
      InjectedKey k = injected_.front();
      injected_.pop_front();
      bool up = (k.flags & kKeyUp) != 0;
      if (k.vk == vk::kShift) {
        injectedShiftDown_ = !up;
      } else if (!up) {
        KeyStroke stroke{k.vk, static_cast<int16_t>(injectedShiftDown_ ? kShiftMask : 0), 0};
        // The keys whose key-down types a character of its own.
        if (k.vk == vk::kReturn || k.vk == vk::kBack || k.vk == vk::kEscape || k.vk == vk::kSpace)
          stroke.keyAscii = k.vk;
        SendKey(stroke);
      }
      continue;
    }
    if (!pendingPaints_.empty()) {
      int32_t hwnd = pendingPaints_.front();
      pendingPaints_.erase(pendingPaints_.begin());
      CoreWindow* w = WindowByHwnd(hwnd);
      if (!w || !w->Shown()) continue;
      if (CorePopupForm* popup = w->Popup())
        if (auto paint = popup->OnPaint) paint();
      SendHookMessage(hwnd, kWmPaint);
      continue;
    }
    break;
  }
  if (budget < 0) injected_.clear();
  processing_ = false;
}

}  // namespace orvo
