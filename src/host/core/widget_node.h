// WidgetNode: the state every widget of the host model shares (kind, place in the tree,
// geometry, visibility, handle, view); CoreWidget<Base>: the Widget part of the model's
// concrete widgets over one node.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

#include "host/core/host_platform.h"
#include "platform/widgets.h"

namespace orvo {

class CoreHost;
class CoreSite;
class CoreWindow;
class NodeOwner;

enum class WidgetKind {
  Surface,  // a control's own surface
  TextBox,
  Label,
  PictureBox,
  Image,
  Shape,
  Button,
  ScrollBar,
  ListBox,
  DataGrid,
  Popup,  // a popup form's own client area
};

struct WidgetNode {
  uint64_t id = 0;
  WidgetKind kind = WidgetKind::Label;
  Widget* widget = nullptr;    // null for a control's surface
  NodeOwner* owner = nullptr;  // null for a control's surface
  CoreWindow* window = nullptr;
  CoreSite* site = nullptr;                        // the control it belongs to; null in popups
  WidgetNode* parent = nullptr;                    // the picture box it sits in
  float left = 0, top = 0, width = 0, height = 0;  // twips, in the parent's scale
  bool visible = true;
  bool enabled = true;
  bool detached = false;  // its control or window went while the library still holds it
  int32_t hwnd = 0;       // 0 for windowless widgets
  int32_t z = 0;          // stacking among siblings: a higher z stands in front
  std::unique_ptr<WidgetView> view;

  bool Windowed() const {
    return kind != WidgetKind::Label && kind != WidgetKind::Image && kind != WidgetKind::Shape;
  }
  bool FocusKind() const { return Windowed() && kind != WidgetKind::Popup; }
  void Show(uint32_t changes) const {
    if (view) view->Update(changes);
  }
};

// What the model's widgets do with input nobody handled; lets host code reach a widget's
// node from a Widget&.
class NodeOwner {
 public:
  virtual ~NodeOwner() = default;
  virtual WidgetNode& Node() = 0;
  virtual void NativeKeyDown(int16_t /*keyCode*/, int16_t /*shift*/) {}
  virtual void NativeChar(int16_t /*keyAscii*/) {}
  // A left button press at y (twips from the top): a list or grid selects the row there.
  virtual void NativePress(float /*y*/) {}
  // The grid's own pointer handling, after the mouse notifications: kind 0 a press (3 the
  // second press of a double click), 1 a release, 2 a move; (x, y) twips in the widget.
  // Widgets whose platform view handles the real mouse itself (a list) leave it alone.
  virtual void NativeMouse(int /*kind*/, int16_t /*button*/, float /*x*/, float /*y*/) {}
  // Wheel notches (positive: away from the user); false when the widget does not scroll by
  // the wheel, so that a platform view may.
  virtual bool NativeWheel(int /*notches*/) { return false; }
  // Whether a click raises OnClick (a list box raises it on a selection change instead).
  virtual bool ClickNotifies() const { return true; }
};

inline WidgetNode* NodeOf(Widget* w) {
  auto* owner = dynamic_cast<NodeOwner*>(w);
  return owner ? &owner->Node() : nullptr;
}

// Registers its node with the host; Attach() (after construction) gives it its view.
class CoreWidgetBase : public NodeOwner {
 public:
  CoreWidgetBase(CoreHost& host, Widget* self, CoreWindow* window, CoreSite* site,
                 WidgetNode* parent, WidgetKind kind);
  ~CoreWidgetBase() override;
  CoreWidgetBase(const CoreWidgetBase&) = delete;
  CoreWidgetBase& operator=(const CoreWidgetBase&) = delete;

  WidgetNode& Node() override { return node_; }
  const WidgetNode& Node() const { return node_; }
  CoreHost& Host() const { return host_; }
  void Attach();

 protected:
  void MoveNode(float left, float top, float width, float height);
  void NodeZOrder(int16_t position);
  void FocusNode();
  void RepaintNode();
  void EraseFocusRectsUnder();
  virtual void Resized() {}
  // Sets what the view shows, and tells the view.
  template <class T, class V>
  void Set(T& field, V&& value, uint32_t what) {
    field = std::forward<V>(value);
    node_.Show(what);
  }

  CoreHost& host_;
  WidgetNode node_;
  PictureRef mouseIcon_;
};

template <class Base>
class CoreWidget : public Base, public CoreWidgetBase {
  static_assert(std::is_base_of_v<Widget, Base>);

 public:
  CoreWidget(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
             WidgetKind kind)
      : CoreWidgetBase(host, this, window, site, parent, kind) {}

  float Left() const override { return node_.left; }
  float Top() const override { return node_.top; }
  float Width() const override { return node_.width; }
  float Height() const override { return node_.height; }
  void Move(float left, float top, float width, float height) override {
    MoveNode(left, top, width, height);
  }
  bool Visible() const override { return node_.visible; }
  void SetVisible(bool v) override { Set(node_.visible, v, change::kState); }
  bool Enabled() const override { return node_.enabled; }
  void SetEnabled(bool v) override { Set(node_.enabled, v, change::kState); }
  void ZOrder(int16_t position) override { NodeZOrder(position); }
  void Refresh() override { RepaintNode(); }
  int32_t hWnd() const override { return node_.hwnd; }
  void SetFocus() override { FocusNode(); }
  PictureRef MouseIcon() const override { return mouseIcon_; }
  void SetMouseIcon(PictureRef p) override { mouseIcon_ = std::move(p); }
};

// Makes a widget of the model and gives it its view.
template <class T, class... Args>
std::unique_ptr<T> MakeWidget(Args&&... args) {
  auto w = std::make_unique<T>(std::forward<Args>(args)...);
  w->Attach();
  return w;
}

}  // namespace orvo
