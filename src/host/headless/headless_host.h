// HeadlessHost: the host model over the null platform: views that record what they are
// shown, a deterministic text measure, and in-memory clipboard, clock and beep counter.
// Unit tests and orvoplay use it.
//
// Supports:
// - every widget of widgets.h, PopupForm with list box, text box, label, button and a
//   first-cut unbound DataGrid (the model's own widgets);
// - message hooks (WM_PAINT after a popup shows or resizes, WM_SIZE, WM_ACTIVATE);
// - window styles per handle; GetWindowRect from positions, the form's client area at the
//   screen's corner; an 800 x 800 pixel screen at 15 twips per pixel;
// - a fixed clock from 2024-06-15 10:00:00; a settable pointer position.
// Does not: run an event loop (modal shows do not block), paint, or take real input.
#pragma once

#include <memory>
#include <string>

#include "host/core/core_host.h"
#include "host/core/core_site.h"

namespace orvo {

// The headless text measure: a character is round(size x 8/11) pixels wide and a line
// round(size x 13/8.25) pixels high, so the default 8.25 pt font gives 6 x 13 pixels
// (90 x 195 twips) per character; a text is as wide as its longest line, and an empty text
// is one line high.
//
// What the headless platform shows: the changes each view was told of.
struct HeadlessView : WidgetView {
  void Update(uint32_t changes) override { shown |= changes; }
  uint32_t shown = 0;
};

class HeadlessPlatform : public HostPlatform {
 public:
  std::unique_ptr<WidgetView> CreateView(WidgetNode&) override {
    return std::make_unique<HeadlessView>();
  }
  void ShowWindow(CoreWindow&, bool) override {}
  void FocusMoved(CoreWindow&, WidgetNode*) override {}
  bool SendKey(WidgetNode*, const KeyStroke&) override { return false; }
  void ScheduleIdle() override {}
  void ProcessEvents() override {}
  float TextWidth(const Font* font, const std::string& text) const override;
  float TextHeight(const Font* font, const std::string& text) const override;
  float CharWidth(const Font* font) const override;
  std::optional<Point> FormOrigin() const override { return std::nullopt; }
  float ScreenWidth() const override { return 12000; }
  float ScreenHeight() const override { return 12000; }
  std::optional<Point> PointerPos() const override { return std::nullopt; }
  void SetScreenMousePointer(int16_t) override {}
  double RealNow() const override { return 0; }
  void Beep() override {}
  bool SetClipboard(const std::string&) override { return false; }
  std::string Clipboard() const override { return {}; }
};

// The platform is a base ahead of the model, so it outlives every view the model holds.
struct HeadlessPlatformHolder {
  HeadlessPlatform platform;
};

class HeadlessHost : private HeadlessPlatformHolder, public CoreHost {
 public:
  HeadlessHost() : CoreHost(platform) {}
};

using HeadlessSite = CoreSite;

}  // namespace orvo
