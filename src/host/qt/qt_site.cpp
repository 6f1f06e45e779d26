// The Qt host's control site.
#include "host/qt/qt_site.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "base/error.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_text_box.h"
#include "host/qt/qt_widgets.h"

namespace orvo {

namespace {

// The surface paints the focus rectangles the control drew on it.
class FocusRectSurface : public QWidget {
 public:
  FocusRectSurface(QWidget* parent, const std::vector<Rect>* rects)
      : QWidget(parent), rects_(rects) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (rects_->empty()) return;
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    for (const Rect& r : *rects_)
      p.drawRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
  }

 private:
  const std::vector<Rect>* rects_;
};

}  // namespace

QtSite::QtSite(QtHost& host, std::string name, const SiteOptions& options, LocaleSettings locale)
    : host_(host),
      name_(std::move(name)),
      index_(options.index),
      userMode_(options.userMode),
      services_(host.Services(), std::move(locale)),
      font_(host.AmbientFont()->Clone()) {
  surface_.kind = QtKind::Surface;
  surface_.qwidget = new FocusRectSurface(host.FormWidget(), &focusRects_);
  surface_.window = &host.Form();
  surface_.site = this;
  surface_.hwnd = host.NewHwnd();
  surface_.width = options.width;
  surface_.height = options.height;
  surface_.qwidget->setFont(ToQFont(font_.get()));
  host.Register(&surface_);
  surface_.Sync();
}

QtSite::~QtSite() {
  QtHost::FocusSync sync(host_);
  host_.Form().ForgetSite(this);
  host_.Unregister(&surface_);
  host_.DisposeWidget(surface_.qwidget.data());
}

FontRef QtSite::AmbientFont() const {
  return host_.AmbientFont()->Clone();
}

int16_t QtSite::Index() const {
  if (!index_) RaiseError(err::kNotAnArray, "Object not an array");
  return *index_;
}

int32_t QtSite::ParentHwnd() const {
  return host_.Form().Hwnd();
}

std::vector<SiblingControl> QtSite::ParentControls() const {
  std::vector<SiblingControl> out;
  for (QtSite* s : host_.SiteList()) out.push_back({s->Name(), s->Control()});
  return out;
}

float QtSite::TextWidth(const std::string& text) const {
  QFontMetrics fm(ToQFont(font_.get()));
  int width = 0;
  for (QString line : FromLatin1(text).split('\n'))
    width = std::max(width, fm.horizontalAdvance(line.remove('\r')));
  return static_cast<float>(width) * kQtTwipsPerPixel;
}

float QtSite::TextHeight(const std::string& text) const {
  QFontMetrics fm(ToQFont(font_.get()));
  int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  return static_cast<float>(fm.height() * lines) * kQtTwipsPerPixel;
}

void QtSite::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  if (surface_.qwidget) surface_.qwidget->setFont(ToQFont(font_.get()));
}

void QtSite::SetMousePointer(int16_t v) {
  mousePointer_ = v;
  if (!surface_.qwidget) return;
  static const Qt::CursorShape kShapes[] = {
      Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
      Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
      Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
      Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
  surface_.qwidget->setCursor(v >= 0 && v < 16 ? kShapes[v] : Qt::ArrowCursor);
}

void QtSite::Repaint() {
  if (surface_.qwidget) surface_.qwidget->update();
}

void QtSite::DrawFocusRect(const Rect& r) {
  auto it = std::find(focusRects_.begin(), focusRects_.end(), r);
  if (it != focusRects_.end())
    focusRects_.erase(it);
  else
    focusRects_.push_back(r);
  Repaint();
}

void QtSite::Place(float left, float top, float width, float height) {
  surface_.left = left;
  surface_.top = top;
  surface_.Sync();
  Resize(width, height);
}

void QtSite::Resize(float width, float height) {
  if (width == surface_.width && height == surface_.height) return;
  surface_.width = width;
  surface_.height = height;
  surface_.Sync();
  if (auto resize = handlers_.OnResize) resize();
}

QWidget* QtSite::ParentWidgetFor(PictureBox* parent, QtCore** parentCore) const {
  QtCore* core = parent ? QtCoreOf(parent) : nullptr;
  *parentCore = core;
  return core && core->qwidget ? core->qwidget.data() : surface_.qwidget.data();
}

std::unique_ptr<TextBox> QtSite::CreateTextBox(PictureBox* parent, bool multiLine) {
  QtCore* pc;
  QWidget* qp = ParentWidgetFor(parent, &pc);
  return std::make_unique<QtTextBox>(host_, &host_.Form(), this, pc, qp, multiLine);
}

std::unique_ptr<Label> QtSite::CreateLabel() {
  return std::make_unique<QtLabel>(host_, &host_.Form(), this, surface_.qwidget);
}

std::unique_ptr<PictureBox> QtSite::CreatePictureBox() {
  return std::make_unique<QtPictureBox>(host_, &host_.Form(), this, surface_.qwidget);
}

std::unique_ptr<Image> QtSite::CreateImage() {
  return std::make_unique<QtImage>(host_, &host_.Form(), this, surface_.qwidget);
}

std::unique_ptr<Shape> QtSite::CreateShape() {
  return std::make_unique<QtShape>(host_, &host_.Form(), this, surface_.qwidget);
}

std::unique_ptr<CommandButton> QtSite::CreateCommandButton(PictureBox* parent) {
  QtCore* pc;
  QWidget* qp = ParentWidgetFor(parent, &pc);
  return std::make_unique<QtCommandButton>(host_, &host_.Form(), this, pc, qp);
}

std::unique_ptr<ScrollBar> QtSite::CreateScrollBar(PictureBox* parent, bool vertical) {
  QtCore* pc;
  QWidget* qp = ParentWidgetFor(parent, &pc);
  return std::make_unique<QtScrollBar>(host_, &host_.Form(), this, pc, qp, vertical);
}

std::unique_ptr<MessageHook> QtSite::CreateMessageHook() {
  return host_.Services().CreateMessageHook();
}

}  // namespace orvo
