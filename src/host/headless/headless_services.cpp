// The headless process services.
#include "host/headless/headless_services.h"

#include <cmath>

#include "host/headless/headless_host.h"
#include "host/headless/headless_message_hook.h"
#include "host/headless/headless_popup_form.h"

namespace orvo {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

double HeadlessServices::StartTime() {
  constexpr int64_t days = DaysFromCivil(2024, 6, 15) - DaysFromCivil(1899, 12, 30);
  return static_cast<double>(days) + 10.0 / 24.0;
}

HeadlessServices::HeadlessServices(HeadlessHost& host) : host_(host), now_(StartTime()) {}

void HeadlessServices::KeybdEvent(uint8_t virtualKey, uint8_t, int32_t flags) {
  host_.QueueInjectedKey(virtualKey, flags);
}

void HeadlessServices::DoEvents() {
  host_.ProcessPending();
}

float HeadlessServices::Timer() const {
  double fraction = now_ - std::floor(now_);
  return static_cast<float>(std::round(fraction * 86400.0 * 1000.0) / 1000.0);
}

LocaleSettings HeadlessServices::Locale() const {
  return host_.Locale();
}

int32_t HeadlessServices::GetWindowLong(int32_t hwnd, int32_t index) const {
  auto it = windowLongs_.find({hwnd, index});
  if (it != windowLongs_.end()) return it->second;
  if (index != kGwlStyle) return 0;
  // WS_VISIBLE, plus WS_POPUP for popups and WS_CHILD for widgets.
  if (hwnd == host_.Form().Hwnd()) return 0x10000000;
  if (HeadlessWindow* w = host_.WindowByHwnd(hwnd))
    return w->Popup() ? static_cast<int32_t>(0x90000000u) : 0x10000000;
  return host_.CoreByHwnd(hwnd) ? 0x50000000 : 0;
}

void HeadlessServices::SetWindowLong(int32_t hwnd, int32_t index, int32_t value) {
  windowLongs_[{hwnd, index}] = value;
}

Rect HeadlessServices::GetWindowRect(int32_t hwnd) const {
  if (WidgetCore* core = host_.CoreByHwnd(hwnd)) return host_.ScreenRectPixels(core);
  if (HeadlessWindow* w = host_.WindowByHwnd(hwnd)) {
    if (HeadlessPopupForm* popup = w->Popup()) return host_.ScreenRectPixels(&popup->Core());
    // The form: wide and high enough for its controls.
    Rect r{0, 0, 8, 8};
    for (HeadlessSite* s : host_.SiteList()) {
      Rect c = host_.ScreenRectPixels(&s->Surface());
      r.right = std::max(r.right, c.right + 8);
      r.bottom = std::max(r.bottom, c.bottom + 8);
    }
    return r;
  }
  return {};
}

std::unique_ptr<PopupForm> HeadlessServices::CreatePopupForm() {
  return std::make_unique<HeadlessPopupForm>(host_);
}

std::unique_ptr<MessageHook> HeadlessServices::CreateMessageHook() {
  return std::make_unique<HeadlessMessageHook>(host_);
}

}  // namespace orvo
