// CoreSite: one control's place on the form (extender, ambients, its surface and the
// widgets it creates).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/core_host.h"
#include "host/core/widget_node.h"
#include "platform/control_site.h"

namespace orvo {

// HostServices seen by one site: everything is the host's, except the locale, which is the
// one the site was created under.
class SiteServices : public HostServices {
 public:
  // Sites made under the same locale share it.
  SiteServices(HostServices& host, std::shared_ptr<const LocaleSettings> locale)
      : host_(host), locale_(std::move(locale)) {}
  HostServices& Root() override { return host_.Root(); }
  void ClipboardClear() override { host_.ClipboardClear(); }
  void ClipboardSetText(const std::string& text) override { host_.ClipboardSetText(text); }
  std::string ClipboardGetText() const override { return host_.ClipboardGetText(); }
  void Beep() override { host_.Beep(); }
  void KeybdEvent(uint8_t vk, uint8_t scan, int32_t flags) override {
    host_.KeybdEvent(vk, scan, flags);
  }
  void DoEvents() override { host_.DoEvents(); }
  float Timer() const override { return host_.Timer(); }
  double Now() const override { return host_.Now(); }
  float TwipsPerPixelX() const override { return host_.TwipsPerPixelX(); }
  float TwipsPerPixelY() const override { return host_.TwipsPerPixelY(); }
  float ScreenWidth() const override { return host_.ScreenWidth(); }
  float ScreenHeight() const override { return host_.ScreenHeight(); }
  const LocaleSettings& Locale() const override { return *locale_; }
  int32_t GetWindowLong(int32_t hwnd, int32_t index) const override {
    return host_.GetWindowLong(hwnd, index);
  }
  void SetWindowLong(int32_t hwnd, int32_t index, int32_t value) override {
    host_.SetWindowLong(hwnd, index, value);
  }
  Rect GetWindowRect(int32_t hwnd) const override { return host_.GetWindowRect(hwnd); }
  Point GetCursorPos() const override { return host_.GetCursorPos(); }
  int16_t ScreenMousePointer() const override { return host_.ScreenMousePointer(); }
  void SetScreenMousePointer(int16_t v) override { host_.SetScreenMousePointer(v); }
  std::unique_ptr<PopupForm> CreatePopupForm() override { return host_.CreatePopupForm(); }
  std::unique_ptr<MessageHook> CreateMessageHook() override { return host_.CreateMessageHook(); }

 private:
  HostServices& host_;
  std::shared_ptr<const LocaleSettings> locale_;
};

class CoreSite : public ControlSite {
 public:
  CoreSite(CoreHost& host, std::string name, const SiteOptions& options,
           std::shared_ptr<const LocaleSettings> locale);
  ~CoreSite() override;

  HostServices& Services() override { return services_; }

  void PropertyChanged(const std::string& name) override { propertyChanges_.push_back(name); }
  bool AmbientUserMode() const override { return userMode_; }
  FontRef AmbientFont() const override;

  int32_t WhatsThisHelpID() const override { return whatsThisHelpId_; }
  void SetWhatsThisHelpID(int32_t v) override { whatsThisHelpId_ = v; }
  int16_t Index() const override;
  std::string Name() const override { return name_; }
  int32_t ParentHwnd() const override;
  std::vector<SiblingControl> ParentControls() const override;

  int32_t hWnd() const override { return surface_.hwnd; }
  int32_t hDC() const override { return surface_.hwnd + 0x100000; }
  float Width() const override { return surface_.width; }
  float Height() const override { return surface_.height; }
  void SetWidth(float v) override { Resize(v, surface_.height); }
  void SetHeight(float v) override { Resize(surface_.width, v); }
  float ScaleWidth() const override { return surface_.width; }
  float ScaleHeight() const override { return surface_.height; }
  float ScaleXToContainer(float x) const override { return x; }
  float ScaleYToContainer(float y) const override { return y; }
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  int16_t MousePointer() const override { return mousePointer_; }
  void SetMousePointer(int16_t v) override;
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }
  void Repaint() override;
  void DrawFocusRect(const Rect& r) override;
  void SetSurfaceHandlers(SurfaceHandlers handlers) override { handlers_ = std::move(handlers); }

  std::unique_ptr<TextBox> CreateTextBox(PictureBox* parent, bool multiLine) override;
  std::unique_ptr<Label> CreateLabel() override;
  std::unique_ptr<PictureBox> CreatePictureBox() override;
  std::unique_ptr<Image> CreateImage() override;
  std::unique_ptr<Shape> CreateShape() override;
  std::unique_ptr<CommandButton> CreateCommandButton(PictureBox* parent) override;
  std::unique_ptr<ScrollBar> CreateScrollBar(PictureBox* parent, bool vertical) override;
  std::unique_ptr<MessageHook> CreateMessageHook() override;

  // Host side.
  WidgetNode& Surface() { return surface_; }
  const WidgetNode& Surface() const { return surface_; }
  const SurfaceHandlers& Handlers() const { return handlers_; }
  std::optional<int16_t> ArrayIndex() const { return index_; }
  std::string DisplayName() const { return ControlDisplayName(name_, index_); }
  OrvoMask* Control() const { return control_; }
  void SetControl(OrvoMask* c) { control_ = c; }
  bool ShowRaised() const { return showRaised_; }
  void SetShowRaised() { showRaised_ = true; }
  // Moves the control on the form and resizes it, raising the resize notification when
  // the size changes.
  void Place(float left, float top, float width, float height);
  void Resize(float width, float height);
  const std::vector<std::string>& PropertyChanges() const { return propertyChanges_; }
  // Focus rectangles drawn an odd number of times (shown now).
  const std::vector<Rect>& FocusRects() const { return focusRects_; }
  // Forgets the focus rectangles that overlap `area` (pixels of the surface), painted over.
  void EraseFocusRects(const Rect& area);

 private:
  CoreHost& host_;
  std::string name_;
  std::optional<int16_t> index_;
  bool userMode_;
  SiteServices services_;
  WidgetNode surface_;
  SurfaceHandlers handlers_;
  FontRef font_;
  OrvoMask* control_ = nullptr;
  bool showRaised_ = false;
  int32_t whatsThisHelpId_ = 0;
  int16_t mousePointer_ = 0;
  PictureRef mouseIcon_;
  std::vector<std::string> propertyChanges_;
  std::vector<Rect> focusRects_;
};

}  // namespace orvo
