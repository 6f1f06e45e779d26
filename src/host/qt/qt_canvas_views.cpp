// Painted views: a control's surface (its focus rectangles), picture box, image, shape, and
// a popup window, which paints the drawing the library left in the model as data.
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

#include "appearance/appearance_enums.h"
#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/core/core_widgets.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_platform.h"
#include "host/qt/qt_views.h"

namespace orvo {

namespace {

// A line leaves out its last point, as the classic line primitive did: segments drawn one
// after another meet without painting a corner twice, and a line that ends on another (a
// raised cell's edge ending on a grid line) leaves that one whole.
void DrawSegment(QPainter& p, QPoint a, QPoint b) {
  const QPoint d = b - a;
  const int steps = std::max(std::abs(d.x()), std::abs(d.y()));
  if (steps == 0) return;
  const double t = (steps - 1.0) / steps;
  p.drawLine(a, QPoint(a.x() + static_cast<int>(std::lround(d.x() * t)),
                       a.y() + static_cast<int>(std::lround(d.y() * t))));
}

// A picture that carries its image shows it at its top-left corner, unscaled; the
// library's named pictures ("check", "option-on", "option-off", "ellipsis", "dropdown") are
// drawn.
void DrawPictureGlyph(QPainter& p, const QRect& r, const Picture* picture) {
  if (!picture) return;
  if (!picture->png.empty()) {
    QImage image;
    if (image.loadFromData(reinterpret_cast<const uchar*>(picture->png.data()),
                           static_cast<int>(picture->png.size())))
      p.drawImage(r.topLeft(), image);
    return;
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // The marks are designed at 96 dpi; at other densities their pen and margin grow with
  // the pixels, so that a tick never reaches the box's border.
  const qreal scale = 15.0 / QtTwipsPerPixel();
  p.setPen(QPen(Qt::black, 1.5 * scale));
  const std::string& name = picture->name;
  const qreal inset = 2 * scale;
  QRectF box = QRectF(r).adjusted(inset, inset, -inset, -inset);
  if (name == "check") {
    QPainterPath path;
    path.moveTo(box.left(), box.center().y());
    path.lineTo(box.left() + box.width() * 0.4, box.bottom());
    path.lineTo(box.right(), box.top());
    p.drawPath(path);
  } else if (name == "option-on" || name == "option-off") {
    qreal d = std::min(box.width(), box.height());
    QRectF circle(box.center().x() - d / 2, box.center().y() - d / 2, d, d);
    p.setBrush(Qt::white);
    p.drawEllipse(circle);
    if (name == "option-on") {
      p.setBrush(Qt::black);
      p.drawEllipse(circle.adjusted(d / 3.5, d / 3.5, -d / 3.5, -d / 3.5));
    }
  } else if (name == "ellipsis") {
    p.drawText(r, Qt::AlignCenter, QStringLiteral("..."));
  } else if (name == "dropdown") {
    QPolygonF tri;
    QPointF c = box.center();
    tri << QPointF(c.x() - 4, c.y() - 2) << QPointF(c.x() + 4, c.y() - 2)
        << QPointF(c.x(), c.y() + 2);
    p.setBrush(Qt::black);
    p.drawPolygon(tri);
  }
  p.restore();
}

// The picture, then the lines drawn on the box (its border), in the box's own twips.
void PaintPictureBox(QPainter& p, const QRect& r, const CorePictureBox& box) {
  p.fillRect(r, ToQColor(box.BackColor()));
  DrawPictureGlyph(p, r, box.Picture().get());
  const int width = box.DrawWidth() > 1 ? box.DrawWidth() : 0;
  for (const DrawnLine& l : box.Lines()) {
    p.setPen(QPen(ToQColor(l.color), width));
    DrawSegment(p, QPoint(ToPixels(l.x1), ToPixels(l.y1)), QPoint(ToPixels(l.x2), ToPixels(l.y2)));
  }
}

// The fill's hatches are lines of the fill colour over what lies behind the shape. The
// border's pen (its width in pixels) is centred on the edge of the shape's bounds, its outer
// half cut off by them, except in Inside Solid, where the figure shrinks to keep the whole
// pen inside. Either way the pen covers whole pixels.
void PaintShape(QPainter& p, const QRect& rect, const CoreShape& s) {
  p.setRenderHint(QPainter::Antialiasing);
  static const Qt::BrushStyle kBrushes[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::BDiagPattern,    Qt::FDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
  static const Qt::PenStyle kPens[] = {Qt::NoPen,    Qt::SolidLine,   Qt::DashLine,
                                       Qt::DotLine,  Qt::DashDotLine, Qt::DashDotDotLine,
                                       Qt::SolidLine};
  p.setBrush(QBrush(ToQColor(s.FillColor()), kBrushes[std::clamp(s.FillStyle(), 0, 7)]));
  const Qt::PenStyle style = kPens[std::clamp(s.BorderStyle(), 0, 6)];
  const qreal width = std::max<int>(1, s.BorderWidth());
  if (style == Qt::NoPen) {
    p.setPen(Qt::NoPen);
  } else {
    QPen pen(ToQColor(s.BorderColor()), width, style);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
  }
  const bool inside = s.BorderStyle() == static_cast<int>(TipoBordaShape::InsideSolid);
  // A pen of odd width centres on the edge pixels' middles, one of even width on their outer
  // edge: ceil(width / 2) pixels of it show.
  const qreal inset = style == Qt::NoPen ? 0 : inside ? width / 2 : std::fmod(width, 2) / 2;
  QRectF r = QRectF(rect).adjusted(inset, inset, -inset, -inset);
  const auto kind = static_cast<TipoShape>(s.ShapeKind());
  if (kind == TipoShape::Square || kind == TipoShape::Circle || kind == TipoShape::RoundedSquare) {
    qreal d = std::min(r.width(), r.height());
    r = QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
  }
  if (kind == TipoShape::Oval || kind == TipoShape::Circle)
    p.drawEllipse(r);
  else if (kind == TipoShape::RoundedRectangle || kind == TipoShape::RoundedSquare)
    p.drawRoundedRect(r, 6, 6);
  else
    p.drawRect(r);
}

void PaintFocusRects(QPainter& p, const CoreSite& site) {
  if (site.FocusRects().empty()) return;
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  for (const Rect& r : site.FocusRects())
    p.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

// Texts go by their top-left corner; a font is made only when the next text's differs.
void PaintDrawing(QPainter& p, const QRect& r, CorePopupForm& form) {
  p.fillRect(r, ToQColor(form.BackColor()));
  const Font* current = nullptr;
  qreal ascent = 0;
  std::optional<Color> linePen;
  for (const PopupDrawOp& op : form.Drawing()) {
    QPointF a(form.ToPixelsX(op.x1), form.ToPixelsY(op.y1));
    QPointF b(form.ToPixelsX(op.x2), form.ToPixelsY(op.y2));
    switch (op.kind) {
      case PopupDrawOp::kLine:
        // One pixel wide whatever the scale, on whole pixels: the painter's fast path.
        if (!linePen || op.color != *linePen) {
          linePen = op.color;
          p.setPen(QPen(ToQColor(op.color), 0));
        }
        DrawSegment(p, a.toPoint(), b.toPoint());
        break;
      case PopupDrawOp::kFill:
        p.fillRect(QRectF(a, b), ToQColor(op.color));
        break;
      case PopupDrawOp::kText:
        if (op.font.get() != current) {
          current = op.font.get();
          p.setFont(ToQFont(current));
          ascent = QFontMetricsF(p.font()).ascent();
        }
        p.setPen(ToQColor(op.color));
        linePen.reset();
        p.drawText(QPointF(a.x(), a.y() + ascent), FromLatin1(op.text));
        break;
    }
  }
}

Qt::CursorShape CursorOf(int16_t pointer) {
  static const Qt::CursorShape kShapes[] = {
      Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
      Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
      Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
      Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
  return pointer >= 0 && pointer < 16 ? kShapes[pointer] : Qt::ArrowCursor;
}

class QtCanvasView : public QtView {
 public:
  QtCanvasView(QtPlatform& platform, WidgetNode& node) : QtView(platform, node) {}

 protected:
  QWidget* MakeWidget(QWidget* parent) override {
    auto* canvas = new QtCanvas(parent);
    canvas->paint = [this, canvas](QPainter& p) {
      platform_.HandlingInput([&] { Paint(p, canvas->rect()); });
    };
    if (node_.kind == WidgetKind::Shape) canvas->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (node_.kind == WidgetKind::Popup) {
      canvas->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
      canvas->setAttribute(Qt::WA_DeleteOnClose, false);
      platform_.WatchTopLevel(canvas, node_.window);
    }
    return canvas;
  }

  void ShowModel(uint32_t changes) override {
    if (node_.kind == WidgetKind::Popup) return ShowPopup(changes);
    if (node_.kind == WidgetKind::Surface && (changes & change::kStyle)) {
      const CoreSite& site = *node_.site;
      widget_->setFont(ToQFont(site.Font().get()));
      widget_->setCursor(CursorOf(site.MousePointer()));
    }
    if (node_.kind == WidgetKind::Surface && (changes & change::kGeometry)) FitForm();
    if (changes & (change::kContent | change::kStyle)) widget_->update();
  }

 private:
  void Paint(QPainter& p, const QRect& r) {
    switch (node_.kind) {
      case WidgetKind::Surface:
        return PaintFocusRects(p, *node_.site);
      case WidgetKind::PictureBox:
        return PaintPictureBox(p, r, static_cast<CorePictureBox&>(*node_.widget));
      case WidgetKind::Image:
        return DrawPictureGlyph(p, r, static_cast<CoreImage&>(*node_.widget).Picture().get());
      case WidgetKind::Shape:
        return PaintShape(p, r, static_cast<CoreShape&>(*node_.widget));
      case WidgetKind::Popup:
        return PaintDrawing(p, r, static_cast<CorePopupForm&>(*node_.widget));
      default:
        return;
    }
  }

  // The form grows to hold every control.
  void FitForm() {
    if (platform_.Embedded()) return;  // the application's layout sizes it
    constexpr float kGap = 120;
    QWidget* form = platform_.FormWidget();
    int width = ToPixels(node_.left + node_.width + kGap);
    int height = ToPixels(node_.top + node_.height + kGap);
    if (width > form->width() || height > form->height())
      form->resize(std::max(width, form->width()), std::max(height, form->height()));
  }

  // A popup is a top-level window at a screen position; a modal one is application-modal.
  void ShowPopup(uint32_t changes) {
    auto& form = static_cast<CorePopupForm&>(*node_.widget);
    if (changes & change::kGeometry)
      widget_->setGeometry(ToPixels(node_.left), ToPixels(node_.top),
                           std::max(1, ToPixels(node_.width)), std::max(1, ToPixels(node_.height)));
    if (changes & change::kShown) {
      bool shown = form.Window().Shown();
      if (!shown || form.Modal())
        widget_->setWindowModality(shown ? Qt::ApplicationModal : Qt::NonModal);
      widget_->setVisible(shown);
    }
    if (changes & change::kContent) widget_->update();
  }
};

}  // namespace

// A popup is a window of its own that belongs to the form's: the window system keeps it
// over the form and minimises and restores it with the form. A control's surface and a popup
// are made at once; a picture box, image or shape when it first shows.
std::unique_ptr<WidgetView> MakeQtCanvasView(QtPlatform& platform, WidgetNode& node) {
  auto view = std::make_unique<QtCanvasView>(platform, node);
  if (node.kind == WidgetKind::Surface || node.kind == WidgetKind::Popup) view->MakeNow(false);
  return view;
}

}  // namespace orvo
