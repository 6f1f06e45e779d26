// The host model's process services.
#include "host/core/core_services.h"

#include <cmath>

#include "base/dates.h"
#include "host/core/core_host.h"
#include "host/core/core_message_hook.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"

namespace orvo {

CoreServices::CoreServices(CoreHost& host)
    : host_(host), now_(DateSerial(2024, 6, 15) + 10.0 / 24.0) {}

void CoreServices::ClipboardSetText(const std::string& text) {
  clipboard_ = text;
  platformClipboard_ = host_.Platform().SetClipboard(text);
}

std::string CoreServices::ClipboardGetText() const {
  return platformClipboard_ ? host_.Platform().Clipboard() : clipboard_;
}

void CoreServices::Beep() {
  ++beeps_;
  host_.Platform().Beep();
}

void CoreServices::KeybdEvent(uint8_t virtualKey, uint8_t, int32_t flags) {
  host_.QueueInjectedKey(virtualKey, flags);
}

void CoreServices::DoEvents() {
  host_.Platform().ProcessEvents();
  host_.ProcessPending();
}

double CoreServices::Now() const {
  return now_ ? *now_ : host_.Platform().RealNow() + offset_;
}

float CoreServices::Timer() const {
  double n = Now();
  double fraction = n - std::floor(n);
  return static_cast<float>(std::round(fraction * 86400.0 * 1000.0) / 1000.0);
}

void CoreServices::AdvanceClock(double seconds) {
  if (now_)
    *now_ += seconds / 86400.0;
  else
    offset_ += seconds / 86400.0;
}

float CoreServices::TwipsPerPixelX() const {
  return host_.Platform().TwipsPerPixelX();
}

float CoreServices::TwipsPerPixelY() const {
  return host_.Platform().TwipsPerPixelY();
}

float CoreServices::ScreenWidth() const {
  return host_.Platform().ScreenWidth();
}

float CoreServices::ScreenHeight() const {
  return host_.Platform().ScreenHeight();
}

const LocaleSettings& CoreServices::Locale() const {
  return host_.Locale();
}

int32_t CoreServices::GetWindowLong(int32_t hwnd, int32_t index) const {
  auto it = windowLongs_.find({hwnd, index});
  if (it != windowLongs_.end()) return it->second;
  if (index != kGwlStyle) return 0;
  // WS_VISIBLE, plus WS_POPUP for popups and WS_CHILD for widgets.
  if (hwnd == host_.Form().Hwnd()) return 0x10000000;
  if (CoreWindow* w = host_.WindowByHwnd(hwnd))
    return w->Popup() ? static_cast<int32_t>(0x90000000u) : 0x10000000;
  return host_.NodeByHwnd(hwnd) ? 0x50000000 : 0;
}

void CoreServices::SetWindowLong(int32_t hwnd, int32_t index, int32_t value) {
  windowLongs_[{hwnd, index}] = value;
}

Rect CoreServices::GetWindowRect(int32_t hwnd) const {
  if (WidgetNode* node = host_.NodeByHwnd(hwnd)) return host_.ScreenRectPixels(node);
  if (CoreWindow* w = host_.WindowByHwnd(hwnd)) {
    if (CorePopupForm* popup = w->Popup()) return host_.ScreenRectPixels(&popup->Node());
    // The form: wide and high enough for its controls.
    Rect r{0, 0, 8, 8};
    for (CoreSite* s : host_.SiteList()) {
      Rect c = host_.ScreenRectPixels(&s->Surface());
      r.right = std::max(r.right, c.right + 8);
      r.bottom = std::max(r.bottom, c.bottom + 8);
    }
    return r;
  }
  return {};
}

Point CoreServices::GetCursorPos() const {
  if (cursor_) return *cursor_;
  return host_.Platform().PointerPos().value_or(Point{});
}

void CoreServices::SetScreenMousePointer(int16_t v) {
  screenMousePointer_ = v;
  host_.Platform().SetScreenMousePointer(v);
}

std::unique_ptr<PopupForm> CoreServices::CreatePopupForm() {
  return MakeWidget<CorePopupForm>(host_);
}

std::unique_ptr<MessageHook> CoreServices::CreateMessageHook() {
  return std::make_unique<CoreMessageHook>(host_);
}

}  // namespace orvo
