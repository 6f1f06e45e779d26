// The Qt host's window: its widgets and the order of focus notifications.
#include "host/qt/qt_window.h"

#include <QGuiApplication>
#include <algorithm>

#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_site.h"

namespace orvo {

namespace {

void Raise(const Notify& n) {
  if (auto copy = n) copy();
}

void RaiseGot(QtCore* core) {
  if (core->kind == QtKind::Surface)
    Raise(core->site->Handlers().OnGotFocus);
  else if (core->widget)
    Raise(core->widget->OnGotFocus);
}

void RaiseLost(QtCore* core) {
  if (core->kind == QtKind::Surface)
    Raise(core->site->Handlers().OnLostFocus);
  else if (core->widget)
    Raise(core->widget->OnLostFocus);
}

}  // namespace

void QtCore::Sync() const {
  if (!qwidget || kind == QtKind::Popup) return;
  qwidget->setGeometry(ToPixels(left), ToPixels(top), std::max(0, ToPixels(width)),
                       std::max(0, ToPixels(height)));
  qwidget->setVisible(visible);
  qwidget->setEnabled(enabled);
}

QtWindow::QtWindow(QtHost& host, QtPopupForm* popup, QWidget* top)
    : host_(host), popup_(popup), top_(top), hwnd_(host.NewHwnd()) {
  host_.AddWindow(this);
}

QtWindow::~QtWindow() {
  for (QtCore* c : cores_) c->window = nullptr;
  host_.RemoveWindow(this);
}

void QtWindow::Remove(QtCore* core) {
  cores_.erase(std::remove(cores_.begin(), cores_.end(), core), cores_.end());
  for (QtCore* c : cores_)
    if (c->parent == core) c->parent = nullptr;
  if (focused_ == core) focused_ = nullptr;
  if (announced_ == core) announced_ = nullptr;
}

void QtWindow::ForgetSite(const QtSite* site) {
  if (focused_ && focused_->site == site) focused_ = nullptr;
  if (announced_ && announced_->site == site) announced_ = nullptr;
  if (entered_ == site) entered_ = nullptr;
}

bool QtWindow::CanFocus(const QtCore* core) const {
  if (!core || core->window != this || !shown_ || !core->FocusKind()) return false;
  for (const QtCore* c = core; c; c = c->parent)
    if (!c->visible || !c->enabled) return false;
  if (core->site && core->kind != QtKind::Surface) {
    const QtCore& surface = core->site->Surface();
    if (!surface.visible || !surface.enabled) return false;
  }
  return true;
}

// As in the headless host: a notification that moves the focus on takes over the move.
void QtWindow::MoveFocus(QtCore* target) {
  if (target == focused_) return;
  QtCore* old = focused_;
  focused_ = target;
  host_.MirrorFocus(this, target);
  if (old && announced_ == old) {
    announced_ = nullptr;
    uint64_t id = target ? target->id : 0;
    RaiseLost(old);
    if (focused_ != target || (target && !host_.Alive(id))) return;
  }
  QtSite* newSite = target ? target->site : nullptr;
  if (entered_ != newSite) {
    if (QtSite* leaving = entered_) {
      entered_ = nullptr;
      Raise(leaving->Handlers().OnExitFocus);
      if (focused_ != target) return;
    }
    if (newSite) {
      entered_ = newSite;
      Raise(newSite->Handlers().OnEnterFocus);
      if (focused_ != target) return;
    }
  }
  if (target) {
    announced_ = target;
    RaiseGot(target);
  }
}

// On the offscreen platform windows stand nowhere real (it adds a frame of its own): there
// the form stays at the screen's corner, as in the headless host.
bool QtWindow::PlacedByWindowSystem() const {
  return !popup_ && top_ && top_->isVisible() &&
         QGuiApplication::platformName() != QLatin1String("offscreen");
}

float QtWindow::OriginX() const {
  if (!PlacedByWindowSystem()) return originX_;
  return static_cast<float>(top_->mapToGlobal(QPoint(0, 0)).x()) * kQtTwipsPerPixel;
}

float QtWindow::OriginY() const {
  if (!PlacedByWindowSystem()) return originY_;
  return static_cast<float>(top_->mapToGlobal(QPoint(0, 0)).y()) * kQtTwipsPerPixel;
}

float QtWindow::ScreenX(const QtCore* core) const {
  float x = OriginX();
  if (core->site && core->kind != QtKind::Surface) x += core->site->Surface().left;
  for (const QtCore* c = core; c; c = c->parent) x += c->left;
  return x;
}

float QtWindow::ScreenY(const QtCore* core) const {
  float y = OriginY();
  if (core->site && core->kind != QtKind::Surface) y += core->site->Surface().top;
  for (const QtCore* c = core; c; c = c->parent) y += c->top;
  return y;
}

}  // namespace orvo
