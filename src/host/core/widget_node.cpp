// The Widget part every widget of the host model shares.
#include "host/core/widget_node.h"

#include "host/core/core_host.h"

namespace orvo {

CoreWidgetBase::CoreWidgetBase(CoreHost& host, Widget* self, CoreWindow* window, CoreSite* site,
                               WidgetNode* parent, WidgetKind kind)
    : host_(host) {
  node_.kind = kind;
  node_.widget = self;
  node_.owner = this;
  node_.window = window;
  node_.site = site;
  node_.parent = parent;
  // A popup's client area is its window.
  if (node_.Windowed()) node_.hwnd = kind == WidgetKind::Popup ? window->Hwnd() : host.NewHwnd();
  host.Register(&node_);
}

CoreWidgetBase::~CoreWidgetBase() {
  host_.Unregister(&node_);
}

void CoreWidgetBase::Attach() {
  node_.view = host_.Platform().CreateView(node_);
  node_.Show(change::kGeometry | change::kState | change::kContent | change::kSelection |
             change::kStyle);
}

void CoreWidgetBase::MoveNode(float left, float top, float width, float height) {
  bool resized = width != node_.width || height != node_.height;
  node_.left = left, node_.top = top, node_.width = width, node_.height = height;
  node_.Show(change::kGeometry);
  if (resized) Resized();
}

void CoreWidgetBase::NodeZOrder(int16_t position) {
  node_.z = host_.NextZ(position == 0);
  node_.Show(change::kZOrder);
}

void CoreWidgetBase::FocusNode() {
  host_.SetFocusTo(&node_);
}

}  // namespace orvo
