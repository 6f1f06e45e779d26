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
  // A box of the same control moved, showed, hid or changed its font: a caption on its line
  // follows its text.
  virtual void BoxBesideChanged() {}
  void KeepWindowedOnTop();
  void TellCaptionsBeside();

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

// Where the first line of a text box's editor stands: the baseline's row in the editor's
// pixels, -1 for a widget that is no text box's editor.
int FirstLineBaseline(const QWidget* editor);
// How far a caption of `captionFont` at `label` (pixels of the control's surface) is drawn
// below the label's top so as to stand on the baseline of a text box whose line it shares; 0
// when it shares none.
int CaptionDrop(const QtPlatform& platform, const QWidget& surface, const QRect& label,
                const QFont& captionFont);

// The view for a node of any kind.
std::unique_ptr<WidgetView> MakeQtView(QtPlatform& platform, WidgetNode& node);
// The views of each family.
std::unique_ptr<WidgetView> MakeQtTextView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtCanvasView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtControlView(QtPlatform& platform, WidgetNode& node);
std::unique_ptr<WidgetView> MakeQtGridView(QtPlatform& platform, WidgetNode& node);

}  // namespace orvo
