// HeadlessWidget<Base>: the Widget part every headless widget shares (geometry, visibility,
// focus, z-order) over a WidgetCore registered with the host.
#pragma once

#include <type_traits>

#include "base/error.h"
#include "host/headless/headless_host.h"
#include "host/headless/headless_window.h"

namespace orvo {

// Lets host code reach the core of any headless widget from a Widget&.
class CoreHolder {
 public:
  virtual ~CoreHolder() = default;
  virtual WidgetCore& Core() = 0;
};

inline WidgetCore* CoreOf(Widget* w) {
  auto* holder = dynamic_cast<CoreHolder*>(w);
  return holder ? &holder->Core() : nullptr;
}

template <class Base>
class HeadlessWidget : public Base, public CoreHolder {
  static_assert(std::is_base_of_v<Widget, Base>);

 public:
  HeadlessWidget(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site, WidgetCore* parent,
                 CoreKind kind)
      : host_(host) {
    core_.kind = kind;
    core_.widget = this;
    core_.window = window;
    core_.site = site;
    core_.parent = parent;
    if (core_.Windowed()) core_.hwnd = host.NewHwnd();
    host.Register(&core_);
  }
  ~HeadlessWidget() override { host_.Unregister(&core_); }

  WidgetCore& Core() override { return core_; }
  HeadlessHost& Host() const { return host_; }

  float Left() const override { return core_.left; }
  float Top() const override { return core_.top; }
  float Width() const override { return core_.width; }
  float Height() const override { return core_.height; }
  void Move(float left, float top, float width, float height) override {
    bool resized = width != core_.width || height != core_.height;
    core_.left = left, core_.top = top, core_.width = width, core_.height = height;
    if (resized) Resized();
  }
  bool Visible() const override { return core_.visible; }
  void SetVisible(bool v) override { core_.visible = v; }
  bool Enabled() const override { return core_.enabled; }
  void SetEnabled(bool v) override { core_.enabled = v; }
  void ZOrder(int16_t position) override {
    static int32_t counter = 0;
    core_.z = position == 0 ? ++counter : -(++counter);
  }
  void Refresh() override {}
  int32_t hWnd() const override { return core_.hwnd; }
  void SetFocus() override { host_.SetFocusTo(&core_); }
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }

 protected:
  virtual void Resized() {}

  HeadlessHost& host_;
  WidgetCore core_;
  PictureRef mouseIcon_;
};

}  // namespace orvo
