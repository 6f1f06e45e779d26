// The Qt view of the model's unbound grid: a plain widget that paints the grid's drawing
// data, with a real QScrollBar where the model lays out its bar. It holds no rows: what it
// paints is what the model shows. Keys, the mouse and the wheel reach the model through the
// platform's event filter, as any view's; the bar's actions go to the model's bar.
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "host/core/core_data_grid.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

// A wheel turned over the bar scrolls the grid as over its rows: the bar leaves the event
// to the grid (its parent) rather than moving its thumb by itself.
class QtGridBar : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;

 protected:
  void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};

class QtGridCanvas : public QWidget {
 public:
  explicit QtGridCanvas(QWidget* parent) : QWidget(parent) {}
  std::function<void(QPainter&)> paint;
  std::function<void(QPoint)> hover;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (paint) paint(p);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (hover) hover(e->position().toPoint());
  }
};

class QtGridView : public QtView {
 public:
  QtGridView(QtPlatform& p, WidgetNode& node, QtGridCanvas* canvas)
      : QtView(p, node, canvas), canvas_(canvas), bar_(new QtGridBar(Qt::Vertical, canvas)) {
    canvas->setFocusPolicy(Qt::StrongFocus);
    canvas->setMouseTracking(true);
    canvas->setAttribute(Qt::WA_OpaquePaintEvent);
    canvas->paint = [this](QPainter& painter) { platform_.HandlingInput([&] { Paint(painter); }); };
    canvas->hover = [this](QPoint at) { platform_.HandlingInput([&] { ShowPointer(at); }); };
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->hide();
    QObject::connect(bar_, &QScrollBar::actionTriggered, bar_,
                     [this](int action) { BarAction(action); });
  }

 protected:
  void ShowModel(uint32_t changes) override {
    if (changes & (change::kGeometry | change::kContent | change::kSelection | change::kStyle))
      ShowBar();
    if (changes & (change::kContent | change::kSelection | change::kStyle)) canvas_->update();
  }

 private:
  CoreDataGrid& Grid() const { return static_cast<CoreDataGrid&>(*node_.widget); }

  void ShowBar() {
    const GridScrollBar b = Grid().Bar();
    mirroring_ = true;
    bar_->setGeometry(ToPixels(b.left), ToPixels(b.top), ToPixels(b.width), ToPixels(b.height));
    bar_->setRange(0, b.max);
    bar_->setPageStep(b.page);
    bar_->setSingleStep(1);
    bar_->setValue(b.value);
    bar_->setVisible(b.shown);
    mirroring_ = false;
  }

  // Qt moves the thumb itself before it reports the action; the model says where the thumb
  // stands once it has scrolled (at an end, nowhere new).
  void BarAction(int action) {
    if (mirroring_) return;
    CoreDataGrid& grid = Grid();
    platform_.HandlingInput([&] {
      switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
          return grid.BarStep(ScrollPart::ArrowMin);
        case QAbstractSlider::SliderSingleStepAdd:
          return grid.BarStep(ScrollPart::ArrowMax);
        case QAbstractSlider::SliderPageStepSub:
          return grid.BarStep(ScrollPart::PageMin);
        case QAbstractSlider::SliderPageStepAdd:
          return grid.BarStep(ScrollPart::PageMax);
        case QAbstractSlider::SliderToMinimum:
          return grid.ThumbTo(0);
        case QAbstractSlider::SliderToMaximum:
          return grid.ThumbTo(1);
        case QAbstractSlider::SliderMove: {
          const int max = bar_->maximum();
          return grid.ThumbTo(max > 0 ? static_cast<double>(bar_->sliderPosition()) / max : 0);
        }
        default:
          return;
      }
    });
    platform_.HandlingInput([&] { grid.Host().ProcessPending(); });
    if (!widget_) return;
    mirroring_ = true;
    bar_->setSliderPosition(grid.Bar().value);
    mirroring_ = false;
  }

  // The pointer tells where a divider can be dragged.
  void ShowPointer(QPoint at) {
    const CoreDataGrid& grid = Grid();
    const bool divider = grid.DraggingDivider() ||
                         grid.DividerAt(at.x() * QtTwipsPerPixel(), at.y() * QtTwipsPerPixel()) >= 0;
    canvas_->setCursor(divider ? Qt::SplitHCursor : Qt::ArrowCursor);
  }

  // Cells go by their top-left corner, clipped to their cell; a font is made only when the
  // next text's differs, and a system colour is looked up once a paint.
  void Paint(QPainter& p) {
    const GridDrawing d = Grid().Drawing();
    std::vector<std::pair<Color, QColor>> colors;
    auto color = [&](Color c) {
      for (const auto& [model, q] : colors)
        if (model == c) return q;
      colors.emplace_back(c, ToQColor(c));
      return colors.back().second;
    };
    auto px = [](float twips) { return ToPixels(twips); };
    const Font* font = nullptr;
    std::optional<Color> pen;
    for (const PopupDrawOp& op : d.ops) {
      switch (op.kind) {
        case PopupDrawOp::kFill:
          p.fillRect(QRect(QPoint(px(op.x1), px(op.y1)), QPoint(px(op.x2) - 1, px(op.y2) - 1)),
                     color(op.color));
          break;
        case PopupDrawOp::kLine:
          if (pen != op.color) {
            pen = op.color;
            p.setPen(QPen(color(op.color), 0));
          }
          p.drawLine(QPoint(px(op.x1), px(op.y1)), QPoint(px(op.x2), px(op.y2)));
          break;
        case PopupDrawOp::kText:
          if (op.font.get() != font) {
            font = op.font.get();
            p.setFont(ToQFont(font));
          }
          if (pen != op.color) {
            pen = op.color;
            p.setPen(QPen(color(op.color), 0));
          }
          p.drawText(QRect(QPoint(px(op.x1), px(op.y1)), QPoint(px(op.x2) - 1, px(op.y2) - 1)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromLatin1(op.text));
          break;
      }
    }
  }

  QPointer<QtGridCanvas> canvas_;
  QPointer<QScrollBar> bar_;
  bool mirroring_ = false;
};

}  // namespace

std::unique_ptr<WidgetView> MakeQtGridView(QtPlatform& platform, WidgetNode& node) {
  return std::make_unique<QtGridView>(platform, node, new QtGridCanvas(platform.ParentFor(node)));
}

}  // namespace orvo
