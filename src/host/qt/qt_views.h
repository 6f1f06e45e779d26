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
  // A view whose widget is made at once.
  QtView(QtPlatform& platform, WidgetNode& node, QWidget* widget);
  // A view whose widget is made (by MakeWidget) when its node is first shown or its widget is
  // first asked for: a hidden constituent costs no QWidget. The widget made then shows the
  // model's whole state and takes its place among its siblings as if it had been there all
  // along.
  QtView(QtPlatform& platform, WidgetNode& node);
  ~QtView() override;
  void Update(uint32_t changes) override;

  QWidget* Widget() const { return widget_; }
  // The QWidget of a node's view, made now if not yet; null when the node has no view.
  static QWidget* WidgetOf(const WidgetNode& node);
  // Makes the widget now, if it is not made yet; `showModel` shows the model in it at once
  // (a view made with its node is shown by the node's first update).
  void MakeNow(bool showModel);
  // The platform's turn to make a widget deferred at the node's first update.
  void MakeDeferred();
  // Whether the model shows the node: a widget made for it at the node's first update would
  // show.
  bool Wanted() const { return node_.visible && !node_.detached; }
  // Called once a widget is set up.
  void KeepOutOfQtTabChain();

 protected:
  // Makes and sets up the widget of a view made without one.
  virtual QWidget* MakeWidget(QWidget* /*parent*/) { return nullptr; }
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

 private:
  void Adopt(QWidget* widget);
  // Stands the widget among its siblings where the model's stacking puts it: windowless ones
  // below windowed ones, each group in the order of the nodes' z.
  void TakeStackingPlace();

  bool updated_ = false;  // the node's first update (its creation) has come
  bool waiting_ = false;  // deferred at the first update, not made yet
  bool made_ = false;     // a widget was made (Qt may have deleted it since)
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
