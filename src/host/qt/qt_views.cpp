// What every Qt view shows alike: place, visibility, parent, stacking, repaint.
#include "host/qt/qt_views.h"

#include <QPainter>
#include <algorithm>

#include "host/core/core_site.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_platform.h"

namespace orvo {

void QtCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (paint) paint(p);
}

QtView::QtView(QtPlatform& platform, WidgetNode& node, QWidget* widget)
    : platform_(platform), node_(node) {
  Adopt(widget);
}

QtView::QtView(QtPlatform& platform, WidgetNode& node) : platform_(platform), node_(node) {}

QtView::~QtView() {
  if (waiting_) platform_.ForgetDeferred(this);
  if (!widget_) return;
  platform_.Unroute(widget_);
  platform_.DisposeWidget(widget_.data());
}

QWidget* QtView::WidgetOf(const WidgetNode& node) {
  auto* view = dynamic_cast<QtView*>(node.view.get());
  if (!view) return nullptr;
  view->MakeNow(true);
  return view->Widget();
}

void QtView::MakeDeferred() {
  waiting_ = false;
  if (Wanted()) MakeNow(true);
}

void QtView::MakeNow(bool showModel) {
  if (made_) return;
  if (waiting_) platform_.ForgetDeferred(this);
  waiting_ = false;
  QWidget* parent =
      node_.kind == WidgetKind::Popup ? platform_.FormWidget() : platform_.ParentFor(node_);
  QWidget* widget = MakeWidget(parent);
  if (!widget) return;
  Adopt(widget);
  KeepOutOfQtTabChain();
  if (showModel)
    Update(change::kParent | change::kGeometry | change::kState | change::kContent |
           change::kSelection | change::kStyle);
}

// In an application's window Qt's Tab chain enters an embedded form through its holder only:
// the views take the focus by click or from the model, never by Qt's own Tab.
void QtView::KeepOutOfQtTabChain() {
  if (!widget_ || !platform_.Embedded() || node_.kind == WidgetKind::Popup) return;
  widget_->setFocusPolicy(widget_->focusPolicy() & Qt::ClickFocus ? Qt::ClickFocus : Qt::NoFocus);
}

void QtView::Adopt(QWidget* widget) {
  widget_ = widget;
  made_ = true;
  // A widget keeps its clicks, as a child window does (a caption's click toggled twice).
  widget->setAttribute(Qt::WA_NoMousePropagation);
  // Characters typed into a list or grid search it: an input method's composed ones too (the
  // event filter types what it commits).
  if (node_.kind == WidgetKind::ListBox || node_.kind == WidgetKind::DataGrid)
    widget->setAttribute(Qt::WA_InputMethodEnabled);
  platform_.Route(widget, &node_);
  TakeStackingPlace();
}

// The node's first update comes as it is made, when a control may still be about to hide it:
// a widget it wants then is made once the model's current work is done (or sooner, when
// something asks for it).
void QtView::Update(uint32_t changes) {
  const bool first = !updated_;
  updated_ = true;
  if (!widget_) {
    if (made_ || !Wanted()) return;  // a widget Qt deleted is not made again
    if (!first) return MakeNow(true);
    waiting_ = true;
    return platform_.Defer(this);
  }
  const bool popup = node_.kind == WidgetKind::Popup;
  if ((changes & change::kParent) && !popup) {
    QWidget* parent = platform_.ParentFor(node_);
    if (widget_->parentWidget() != parent) {
      widget_->setParent(parent);
      KeepWindowedOnTop();
    }
    if (node_.detached) return widget_->hide();
    changes |= change::kGeometry | change::kState;
  }
  if ((changes & change::kGeometry) && !popup)
    widget_->setGeometry(ToPixels(node_.left), ToPixels(node_.top),
                         std::max(0, ToPixels(node_.width)), std::max(0, ToPixels(node_.height)));
  if ((changes & change::kState) && !popup && !node_.detached) {
    widget_->setVisible(node_.visible);
    widget_->setEnabled(node_.enabled);
  }
  if (changes & change::kZOrder) {
    if (node_.z > 0)
      widget_->raise();
    else
      widget_->lower();
    KeepWindowedOnTop();
  }
  if (changes & change::kRepaint) widget_->update();
  ShowModel(changes);
  constexpr uint32_t kMoves = change::kGeometry | change::kState | change::kStyle | change::kParent;
  if ((changes & kMoves) &&
      (node_.kind == WidgetKind::TextBox || node_.kind == WidgetKind::PictureBox))
    TellCaptionsBeside();
}

void QtView::TakeStackingPlace() {
  QWidget* parent = widget_->parentWidget();
  if (!parent || node_.kind == WidgetKind::Popup) return;
  auto below = [](const WidgetNode& a, const WidgetNode& b) {
    return std::pair(a.Windowed(), a.z) < std::pair(b.Windowed(), b.z);
  };
  QWidget* above = nullptr;
  const WidgetNode* aboveNode = nullptr;
  for (QObject* o : parent->children()) {
    const WidgetNode* n = platform_.RoutedNode(o);
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !n || w == widget_ || !below(node_, *n)) continue;
    if (!aboveNode || below(*n, *aboveNode)) above = w, aboveNode = n;
  }
  if (above)
    widget_->stackUnder(above);
  else
    widget_->raise();
}

void QtView::TellCaptionsBeside() {
  QWidget* surface = node_.site ? WidgetOf(node_.site->Surface()) : nullptr;
  if (!surface) return;
  for (QObject* o : surface->children()) {
    const WidgetNode* n = platform_.RoutedNode(o);
    if (n && n->kind == WidgetKind::Label)
      if (auto* view = dynamic_cast<QtView*>(n->view.get())) view->BoxBesideChanged();
  }
}

// A windowless widget (a label, shape or image) is painted on the surface it sits on, so every
// windowed sibling stands above it, whatever order the two were brought forward or sent back
// in: the field's box, sent to the back, still covers the caption's shape where they meet.
// Each group keeps its own order.
void QtView::KeepWindowedOnTop() {
  QWidget* parent = widget_->parentWidget();
  if (!parent || node_.kind == WidgetKind::Popup) return;
  const QObjectList siblings = parent->children();  // bottom to top
  for (QObject* o : siblings) {
    const WidgetNode* node = platform_.RoutedNode(o);
    auto* w = qobject_cast<QWidget*>(o);
    if (w && node && node->Windowed()) w->raise();
  }
}

std::unique_ptr<WidgetView> MakeQtView(QtPlatform& platform, WidgetNode& node) {
  switch (node.kind) {
    case WidgetKind::TextBox:
      return MakeQtTextView(platform, node);
    case WidgetKind::Surface:
    case WidgetKind::PictureBox:
    case WidgetKind::Image:
    case WidgetKind::Shape:
    case WidgetKind::Popup:
      return MakeQtCanvasView(platform, node);
    default:
      return MakeQtControlView(platform, node);
  }
}

}  // namespace orvo
