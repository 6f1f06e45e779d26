// CoreServices: the process services of the host model. Clock, clipboard copy, beep
// count, window styles, the pointer and key injection live here; the platform adds the
// real clock, clipboard, beep, screen and pointer where it has them.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/host_services.h"

namespace orvo {

class CoreHost;

class CoreServices : public HostServices {
 public:
  explicit CoreServices(CoreHost& host);

  void ClipboardClear() override { ClipboardSetText(""); }
  void ClipboardSetText(const std::string& text) override;
  std::string ClipboardGetText() const override;
  void Beep() override;
  void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, int32_t flags) override;
  void DoEvents() override;
  float Timer() const override;
  double Now() const override;
  float TwipsPerPixelX() const override;
  float TwipsPerPixelY() const override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  const LocaleSettings& Locale() const override;
  int32_t GetWindowLong(int32_t hwnd, int32_t index) const override;
  void SetWindowLong(int32_t hwnd, int32_t index, int32_t value) override;
  Rect GetWindowRect(int32_t hwnd) const override;
  Point GetCursorPos() const override;
  int16_t ScreenMousePointer() const override { return screenMousePointer_; }
  void SetScreenMousePointer(int16_t v) override;
  std::unique_ptr<PopupForm> CreatePopupForm() override;
  std::unique_ptr<MessageHook> CreateMessageHook() override;

  int32_t BeepCount() const { return beeps_; }
  void AdvanceClock(double seconds);
  void SetClock(double serial) { now_ = serial; }
  // The real clock from now on (the fixed one starts at 2024-06-15 10:00:00).
  void UseRealClock() { now_.reset(); }
  // The pointer as the host last placed it; the platform's real pointer once forgotten.
  void SetCursor(Point p) { cursor_ = p; }
  void ForgetCursor() { cursor_.reset(); }
  std::optional<Point> PlacedCursor() const { return cursor_; }

 private:
  CoreHost& host_;
  // The clipboard text kept here too: platforms without a clipboard still round-trip.
  std::string clipboard_;
  bool platformClipboard_ = true;
  int32_t beeps_ = 0;
  std::optional<double> now_;  // a fixed clock, else the platform's
  double offset_ = 0;          // added to the platform's clock by AdvanceClock
  std::optional<Point> cursor_ = Point{};
  int16_t screenMousePointer_ = 0;
  std::map<std::pair<int32_t, int32_t>, int32_t> windowLongs_;
};

}  // namespace orvo
