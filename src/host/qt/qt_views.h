// QtView: the QWidget view of one node of the host model. The model tells it what changed;
// it reads the model and shows it. Views keep no state of their own beyond what Qt needs
// to display, and forward what the user does in Qt's own widgets back to the model.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "host/core/widget_node.h"

class QPainter;

namespace orvo {

class QtPlatform;

class QtView : public WidgetView {
 public:
  QtView(QtPlatform& platform, WidgetNode& node, QWidget* widget);
  ~QtView() override;
  void Update(uint32_t changes) override;

  QWidget* Widget() const { return widget_; }
  // The QWidget of a node's view, null when it has none.
  static QWidget* WidgetOf(const WidgetNode& node);

 protected:
  // What only this kind of view shows.
  virtual void ShowModel(uint32_t /*changes*/) {}
  void KeepWindowedOnTop();

  QtPlatform& platform_;
  WidgetNode& node_;
  QPointer<QWidget> widget_;
};

// A plain widget that paints through a callback.
class QtCanvas : public QWidget {
 public:
  explicit QtCanvas(QWidget* parent) : QWidget(parent) {}
  std::function<void(QPainter&)> paint;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The view for a node of any kind.
std::unique_ptr<WidgetView> MakeQtView(QtPlatform& platform, WidgetNode& node);
// The views of each family.
std::unique_ptr<WidgetView> MakeQtTextView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtCanvasView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtControlView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtGridView(QtPlatform& platform, WidgetNode& node);

}  // namespace orvo
