// The Widget part every widget of the host model shares.
#include "host/core/widget_node.h"

#include <cmath>

#include "host/core/core_host.h"
#include "host/core/core_site.h"

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
  if (resized || left != node_.left || top != node_.top) EraseFocusRectsUnder();
  node_.left = left, node_.top = top, node_.width = width, node_.height = height;
  node_.Show(change::kGeometry);
  if (resized) Resized();
}

void CoreWidgetBase::NodeZOrder(int16_t position) {
  node_.z = host_.NextZ(position == 0);
  node_.Show(change::kZOrder);
}

// A windowless widget is painted on its control's surface, so repainting its area (where it
// is, or where it was before a move) paints over the focus rectangles drawn across it: they
// are gone, as an inverted outline would be, and the next inversion draws them again.
void CoreWidgetBase::EraseFocusRectsUnder() {
  CoreSite* site = node_.site;
  if (!site || node_.Windowed() || node_.parent) return;
  const HostServices& services = site->Services();
  const float tx = services.TwipsPerPixelX(), ty = services.TwipsPerPixelY();
  auto px = [](float twips, float perPixel) {
    return static_cast<int32_t>(std::lround(twips / perPixel));
  };
  site->EraseFocusRects({px(node_.left, tx), px(node_.top, ty), px(node_.left + node_.width, tx),
                         px(node_.top + node_.height, ty)});
}

void CoreWidgetBase::RepaintNode() {
  EraseFocusRectsUnder();
  node_.Show(change::kRepaint);
}

void CoreWidgetBase::FocusNode() {
  host_.SetFocusTo(&node_);
}

}  // namespace orvo
