// QtWidget<Base, Q>: the Widget part every Qt-host widget shares, over a QWidget of type Q
// and a QtCore registered with the host.
#pragma once

#include <QPointer>
#include <QWidget>
#include <type_traits>

#include "base/error.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_window.h"

namespace orvo {

class QtCoreHolder {
 public:
  virtual ~QtCoreHolder() = default;
  virtual QtCore& Core() = 0;
};

inline QtCore* QtCoreOf(Widget* w) {
  auto* holder = dynamic_cast<QtCoreHolder*>(w);
  return holder ? &holder->Core() : nullptr;
}

template <class Base, class Q>
class QtWidget : public Base, public QtCoreHolder {
  static_assert(std::is_base_of_v<Widget, Base>);

 public:
  // Takes ownership of `widget`, already parented in the Qt tree.
  QtWidget(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent, QtKind kind, Q* widget)
      : host_(host), q_(widget) {
    core_.kind = kind;
    core_.widget = this;
    core_.qwidget = q_;
    core_.window = window;
    core_.site = site;
    core_.parent = parent;
    if (core_.Windowed()) core_.hwnd = host.NewHwnd();
    host.Register(&core_);
    // A child made after its window showed stays hidden until told otherwise.
    core_.Sync();
  }
  ~QtWidget() override {
    host_.Unregister(&core_);
    host_.DisposeWidget(q_.data());
  }

  QtCore& Core() override { return core_; }
  Q* QWidgetOf() const { return q_; }

  float Left() const override { return core_.left; }
  float Top() const override { return core_.top; }
  float Width() const override { return core_.width; }
  float Height() const override { return core_.height; }
  void Move(float left, float top, float width, float height) override {
    bool resized = width != core_.width || height != core_.height;
    core_.left = left, core_.top = top, core_.width = width, core_.height = height;
    core_.Sync();
    if (resized) Resized();
  }
  bool Visible() const override { return core_.visible; }
  void SetVisible(bool v) override {
    core_.visible = v;
    core_.Sync();
  }
  bool Enabled() const override { return core_.enabled; }
  void SetEnabled(bool v) override {
    core_.enabled = v;
    core_.Sync();
  }
  void ZOrder(int16_t position) override {
    if (!q_) return;
    if (position == 0)
      q_->raise();
    else
      q_->lower();
  }
  void Refresh() override {
    if (q_) q_->update();
  }
  int32_t hWnd() const override { return core_.hwnd; }
  void SetFocus() override { host_.SetFocusTo(&core_); }
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }

 protected:
  virtual void Resized() {}

  QtHost& host_;
  QPointer<Q> q_;
  QtCore core_;
  PictureRef mouseIcon_;
};

}  // namespace orvo
