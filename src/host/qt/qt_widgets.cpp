// The simple Qt-host widgets.
#include "host/qt/qt_widgets.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "host/qt/qt_conversions.h"

namespace orvo {

void QtCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (paint) paint(p);
}

void DrawPictureGlyph(QPainter& p, const QRect& r, const Picture* picture) {
  if (!picture) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.5));
  const std::string& name = picture->name;
  QRectF box = QRectF(r).adjusted(2, 2, -2, -2);
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

QtLabel::QtLabel(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent)
    : QtWidget(host, window, site, nullptr, QtKind::Label, new QLabel(qparent)),
      font_(host.AmbientFont()->Clone()) {
  q_->setFont(ToQFont(font_.get()));
  AutoSize();
}

void QtLabel::SetCaption(const std::string& s) {
  caption_ = s;
  q_->setText(FromLatin1(s));
  AutoSize();
}

void QtLabel::SetForeColor(Color c) {
  foreColor_ = c;
  QPalette pal = q_->palette();
  pal.setColor(QPalette::WindowText, ToQColor(c));
  q_->setPalette(pal);
}

void QtLabel::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  q_->setFont(ToQFont(font_.get()));
  AutoSize();
}

void QtLabel::AutoSize() {
  QFontMetrics fm(ToQFont(font_.get()));
  QStringList lines = FromLatin1(caption_).split('\n');
  int width = 0;
  for (QString line : lines) width = std::max(width, fm.horizontalAdvance(line.remove('\r')));
  core_.width = width * kQtTwipsPerPixel;
  core_.height = static_cast<float>(fm.height() * lines.size()) * kQtTwipsPerPixel;
  core_.Sync();
}

QtPictureBox::QtPictureBox(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent)
    : QtWidget(host, window, site, nullptr, QtKind::PictureBox, new QtCanvas(qparent)) {
  q_->paint = [this](QPainter& p) { Paint(p); };
}

void QtPictureBox::Cls() {
  lines_.clear();
  Refresh();
}

void QtPictureBox::Line(float x1, float y1, float x2, float y2, Color color) {
  lines_.push_back({x1, y1, x2, y2, color});
  Refresh();
}

void QtPictureBox::SetPicture(PictureRef p) {
  picture_ = std::move(p);
  Refresh();
}

void QtPictureBox::SetBackColor(Color c) {
  backColor_ = c;
  Refresh();
}

void QtPictureBox::Paint(QPainter& p) {
  p.fillRect(q_->rect(), ToQColor(backColor_));
  DrawPictureGlyph(p, q_->rect(), picture_.get());
  for (const DrawnLine& l : lines_) {
    p.setPen(QPen(ToQColor(l.color), std::max<int>(1, drawWidth_)));
    p.drawLine(QPointF(l.x1 / kQtTwipsPerPixel, l.y1 / kQtTwipsPerPixel),
               QPointF(l.x2 / kQtTwipsPerPixel, l.y2 / kQtTwipsPerPixel));
  }
}

QtImage::QtImage(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent)
    : QtWidget(host, window, site, nullptr, QtKind::Image, new QtCanvas(qparent)) {
  q_->paint = [this](QPainter& p) { DrawPictureGlyph(p, q_->rect(), picture_.get()); };
}

void QtImage::SetPicture(PictureRef p) {
  picture_ = std::move(p);
  Refresh();
}

QtShape::QtShape(QtHost& host, QtWindow* window, QtSite* site, QWidget* qparent)
    : QtWidget(host, window, site, nullptr, QtKind::Shape, new QtCanvas(qparent)) {
  q_->paint = [this](QPainter& p) { Paint(p); };
  q_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtShape::Paint(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  static const Qt::BrushStyle kBrushes[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::BDiagPattern,    Qt::FDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
  p.setBrush(QBrush(ToQColor(fillColor_), kBrushes[std::clamp(fillStyle_, 0, 7)]));
  if (borderStyle_ == 0)
    p.setPen(Qt::NoPen);
  else
    p.setPen(QPen(ToQColor(borderColor_), std::max<int>(1, borderWidth_)));
  QRectF r = QRectF(q_->rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (shape_ == 1 || shape_ == 3 || shape_ == 5) {  // square kinds
    qreal d = std::min(r.width(), r.height());
    r = QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
  }
  if (shape_ == 2 || shape_ == 3)
    p.drawEllipse(r);
  else if (shape_ == 4 || shape_ == 5)
    p.drawRoundedRect(r, 6, 6);
  else
    p.drawRect(r);
}

QtCommandButton::QtCommandButton(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent,
                                 QWidget* qparent, const std::string& caption)
    : QtWidget(host, window, site, parent, QtKind::Button, new QPushButton(qparent)) {
  q_->setText(FromLatin1(caption));
  // Real mouse clicks on a display; host-driven clicks call OnClick themselves.
  QObject::connect(q_, &QPushButton::clicked, q_, [this] {
    if (auto click = OnClick) click();
  });
}

void QtCommandButton::SetPicture(PictureRef p) {
  picture_ = std::move(p);
  if (!picture_)
    q_->setText({});
  else if (picture_->name == "ellipsis")
    q_->setText(QStringLiteral("..."));
  else if (picture_->name == "dropdown")
    q_->setText(QString(QChar(0x25BC)));
}

void QtCommandButton::SetValue(bool v) {
  if (!v) return;
  if (auto click = OnClick) click();
}

QtScrollBar::QtScrollBar(QtHost& host, QtWindow* window, QtSite* site, QtCore* parent,
                         QWidget* qparent, bool vertical)
    : QtWidget(host, window, site, parent, QtKind::ScrollBar, new QScrollBar(qparent)),
      vertical_(vertical) {
  q_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  if (vertical)
    core_.width = 255, core_.height = 1200;
  else
    core_.width = 1200, core_.height = 255;
  core_.Sync();
  Mirror();
  // The user dragging or clicking the real bar.
  QObject::connect(q_, &QScrollBar::valueChanged, q_, [this](int v) {
    if (!mirroring_) SetValue(static_cast<int16_t>(v));
  });
}

int16_t QtScrollBar::Clamp(int32_t v) const {
  int32_t lo = std::min(min_, max_), hi = std::max(min_, max_);
  return static_cast<int16_t>(std::clamp(v, lo, hi));
}

// Qt's range is [lower, upper] with the value as it is; Min above Max shows inverted, so
// the Min end stays at the top (left).
void QtScrollBar::Mirror() {
  mirroring_ = true;
  q_->setRange(std::min(min_, max_), std::max(min_, max_));
  q_->setInvertedAppearance(min_ > max_);
  q_->setInvertedControls(min_ > max_);
  q_->setSingleStep(smallChange_);
  q_->setPageStep(largeChange_);
  q_->setValue(value_);
  mirroring_ = false;
}

void QtScrollBar::SetValue(int16_t v) {
  int16_t clamped = Clamp(v);
  if (clamped == value_) {
    Mirror();
    return;
  }
  value_ = clamped;
  Mirror();
  if (auto change = OnChange) change();
}

void QtScrollBar::SetMin(int16_t v) {
  min_ = v;
  Mirror();
  SetValue(value_);
}

void QtScrollBar::SetMax(int16_t v) {
  max_ = v;
  Mirror();
  SetValue(value_);
}

void QtScrollBar::SetSmallChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  smallChange_ = v;
  Mirror();
}

void QtScrollBar::SetLargeChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  largeChange_ = v;
  Mirror();
}

void QtScrollBar::Step(ScrollPart part) {
  int32_t towardsMax = max_ >= min_ ? 1 : -1;
  int32_t step =
      (part == ScrollPart::ArrowMin || part == ScrollPart::ArrowMax) ? smallChange_ : largeChange_;
  if (part == ScrollPart::ArrowMin || part == ScrollPart::PageMin) towardsMax = -towardsMax;
  SetValue(Clamp(int32_t{value_} + towardsMax * step));
}

}  // namespace orvo
