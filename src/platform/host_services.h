// HostServices: the platform services of the process (clipboard, beep, keys, clock, screen,
// locale, window styles, popups) as one set of operations each host implements.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/locale_settings.h"
#include "platform/host_objects.h"
#include "platform/popup_widgets.h"

namespace orvo {

// keybd_event flags.
inline constexpr int32_t kKeyExtended = 1;
inline constexpr int32_t kKeyUp = 2;
// Window style index and bit.
inline constexpr int32_t kGwlStyle = -16;
inline constexpr int32_t kWsDisabled = 0x08000000;
// Window messages reported by the hook.
inline constexpr int32_t kWmSize = 5;
inline constexpr int32_t kWmActivate = 6;
inline constexpr int32_t kWmPaint = 15;

class HostServices {
 public:
  virtual ~HostServices() = default;

  // The services of the host itself. A site may answer with a set of its own (its locale)
  // over the host's; what outlives one control, such as the shared calculator, takes these.
  virtual HostServices& Root() { return *this; }

  // Clipboard, text only.
  virtual void ClipboardClear() = 0;
  virtual void ClipboardSetText(const std::string& text) = 0;
  virtual std::string ClipboardGetText() const = 0;

  virtual void Beep() = 0;

  // Synthetic key input (keybd_event): processed after the current notification returns.
  // A Tab press moves the focus to the next control of the form, to the previous one while
  // Shift is held down.
  virtual void KeybdEvent(uint8_t virtualKey, uint8_t scanCode, int32_t flags) = 0;

  // Lets pending events run (DoEvents).
  virtual void DoEvents() = 0;

  // Seconds since midnight (Timer) and the current date and time as a serial.
  virtual float Timer() const = 0;
  virtual double Now() const = 0;

  virtual float TwipsPerPixelX() const = 0;
  virtual float TwipsPerPixelY() const = 0;
  virtual float ScreenWidth() const = 0;  // twips
  virtual float ScreenHeight() const = 0;

  // The user's regional settings as they are now; the reference holds as long as the
  // services do.
  virtual const LocaleSettings& Locale() const = 0;

  // Window styles, rectangles and the cursor (pixels, screen coordinates).
  virtual int32_t GetWindowLong(int32_t hwnd, int32_t index) const = 0;
  virtual void SetWindowLong(int32_t hwnd, int32_t index, int32_t value) = 0;
  virtual Rect GetWindowRect(int32_t hwnd) const = 0;
  virtual Point GetCursorPos() const = 0;

  // The screen's mouse pointer (Ponteiro codes).
  virtual int16_t ScreenMousePointer() const = 0;
  virtual void SetScreenMousePointer(int16_t v) = 0;

  // A new top-level popup form, not yet shown.
  virtual std::unique_ptr<PopupForm> CreatePopupForm() = 0;
  // A new window-message hook.
  virtual std::unique_ptr<MessageHook> CreateMessageHook() = 0;
};

}  // namespace orvo
