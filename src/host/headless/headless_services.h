// HeadlessServices: the process services of the headless host, all in memory and settable.
#pragma once

#include <map>
#include <string>

#include "platform/host_services.h"

namespace orvo {

class HeadlessHost;

class HeadlessServices : public HostServices {
 public:
  explicit HeadlessServices(HeadlessHost& host);

  void ClipboardClear() override { clipboard_.clear(); }
  void ClipboardSetText(const std::string& text) override { clipboard_ = text; }
  std::string ClipboardGetText() const override { return clipboard_; }
  void Beep() override { ++beeps_; }
  void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, int32_t flags) override;
  void DoEvents() override;
  float Timer() const override;
  double Now() const override { return now_; }
  float TwipsPerPixelX() const override { return 15; }
  float TwipsPerPixelY() const override { return 15; }
  float ScreenWidth() const override { return 12000; }
  float ScreenHeight() const override { return 12000; }
  LocaleSettings Locale() const override;
  int32_t GetWindowLong(int32_t hwnd, int32_t index) const override;
  void SetWindowLong(int32_t hwnd, int32_t index, int32_t value) override;
  Rect GetWindowRect(int32_t hwnd) const override;
  Point GetCursorPos() const override { return cursor_; }
  int16_t ScreenMousePointer() const override { return screenMousePointer_; }
  void SetScreenMousePointer(int16_t v) override { screenMousePointer_ = v; }
  std::unique_ptr<PopupForm> CreatePopupForm() override;
  std::unique_ptr<MessageHook> CreateMessageHook() override;

  int32_t BeepCount() const { return beeps_; }
  void AdvanceClock(double seconds) { now_ += seconds / 86400.0; }
  void SetClock(double serial) { now_ = serial; }
  void SetCursor(Point p) { cursor_ = p; }

  // 2024-06-15 10:00:00 as a serial date.
  static double StartTime();

 private:
  HeadlessHost& host_;
  std::string clipboard_;
  int32_t beeps_ = 0;
  double now_;
  Point cursor_;
  int16_t screenMousePointer_ = 0;
  std::map<std::pair<int32_t, int32_t>, int32_t> windowLongs_;
};

}  // namespace orvo
