// CoreMessageHook: reports the selected messages the host model sends to one window.
#pragma once

#include <set>

#include "host/core/core_host.h"

namespace orvo {

class CoreMessageHook : public MessageHook {
 public:
  explicit CoreMessageHook(CoreHost& host) : host_(host) { host_.AddHook(this); }
  ~CoreMessageHook() override { host_.RemoveHook(this); }
  int32_t HwndHook() const override { return hwnd_; }
  void SetHwndHook(int32_t hwnd) override { hwnd_ = hwnd; }
  bool Message(int32_t msg) const override { return selected_.count(msg) != 0; }
  void SetMessage(int32_t msg, bool report) override {
    if (report)
      selected_.insert(msg);
    else
      selected_.erase(msg);
  }

  // Called by the host for every message of every window.
  void Deliver(int32_t hwnd, int32_t msg) {
    if (hwnd == 0 || hwnd != hwnd_ || !Message(msg)) return;
    if (auto handler = OnMessage) handler(msg);
  }

 private:
  CoreHost& host_;
  int32_t hwnd_ = 0;
  std::set<int32_t> selected_;
};

}  // namespace orvo
