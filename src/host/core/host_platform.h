// What the host model asks of the platform under it, in the manner of an immediate-mode
// GUI backend: the model never calls a window system. Input reaches the model as calls on
// CoreHost; what the model shows leaves it through views, which the model tells what
// changed and which then read the model; the rest is a small set of services (text
// metrics, clock, clipboard, beep, pointer, event loop).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/host_objects.h"

namespace orvo {

struct KeyStroke;
struct WidgetNode;
class CoreWindow;

// What changed in a widget since its view last showed it (bits).
namespace change {
inline constexpr uint32_t kGeometry = 1;   // position and size
inline constexpr uint32_t kState = 2;      // visible, enabled
inline constexpr uint32_t kContent = 4;    // text, caption, items, rows, drawing, picture
inline constexpr uint32_t kSelection = 8;  // caret, selection, list index, current row, value
inline constexpr uint32_t kStyle = 16;     // font, colours, locked, password, pointer
inline constexpr uint32_t kParent = 32;    // the widget it sits in (or none: detached)
inline constexpr uint32_t kZOrder = 64;    // brought to the front or sent to the back
inline constexpr uint32_t kRepaint = 128;  // nothing changed, but paint again
inline constexpr uint32_t kShown = 256;    // a window shown or hidden
}  // namespace change

// The platform's native view of one widget (or of a popup window, or of a control's
// surface). It keeps no state of its own that the model does not have.
class WidgetView {
 public:
  virtual ~WidgetView() = default;
  virtual void Update(uint32_t changes) = 0;
  // List rows as the view lays them out (a real list measures its own rows).
  virtual float ItemHeight(float measured) const { return measured; }
  virtual int FirstShownItem() const { return 0; }
};

class HostPlatform {
 public:
  virtual ~HostPlatform() = default;

  // Views: one per widget, popup window and control surface; null for none.
  virtual std::unique_ptr<WidgetView> CreateView(WidgetNode& node) = 0;
  // A window (the form: null node) shown or hidden.
  virtual void ShowWindow(CoreWindow& window, bool shown) = 0;
  // The model made a window the active one (null: a window outside the host's).
  virtual void WindowActivated(CoreWindow* window) { (void)window; }
  // The model moved a window's focus (to null: the window itself).
  virtual void FocusMoved(CoreWindow& window, WidgetNode* focused) = 0;
  // The form is one part of a larger window: Tab past its last control (Shift+Tab before its
  // first) goes on to the window's next widget. True when the platform took the focus there.
  virtual bool TabOutOfForm(bool backwards) {
    (void)backwards;
    return false;
  }
  // A key for `target` (the active window's focus, or null) going through the platform's
  // own event path; false to have the model deliver it directly.
  virtual bool SendKey(WidgetNode* target, const KeyStroke& key) = 0;
  // Pending work queued outside any call of the model: run CoreHost::ProcessPending soon.
  virtual void ScheduleIdle() = 0;
  // Lets the platform's own events run (DoEvents).
  virtual void ProcessEvents() = 0;

  // Text in a font, twips: the longest line's width; lines times the line height.
  virtual float TextWidth(const Font* font, const std::string& text) const = 0;
  virtual float TextHeight(const Font* font, const std::string& text) const = 0;
  // The average character width, twips (where a drag over a text box puts the pointer).
  virtual float CharWidth(const Font* font) const = 0;

  // The form's caption and size (twips) changed: a windowed platform shows them.
  virtual void FormFrameChanged(const std::string& title, float width, float height) {
    (void)title, (void)width, (void)height;
  }
  // The form's client area on the screen (twips) where a window system placed it.
  virtual std::optional<Point> FormOrigin() const = 0;
  // Twips per pixel of the screen: 15 at 96 dots per inch, the model's own scale.
  virtual float TwipsPerPixelX() const { return 15; }
  virtual float TwipsPerPixelY() const { return 15; }
  virtual float ScreenWidth() const = 0;  // twips
  virtual float ScreenHeight() const = 0;
  virtual std::optional<Point> PointerPos() const = 0;  // the real pointer, pixels
  virtual void SetScreenMousePointer(int16_t pointer) = 0;
  virtual double RealNow() const = 0;
  virtual void Beep() = 0;
  // The system clipboard: false when it cannot keep text (the model keeps its own copy).
  virtual bool SetClipboard(const std::string& text) = 0;
  virtual std::string Clipboard() const = 0;
};

}  // namespace orvo
