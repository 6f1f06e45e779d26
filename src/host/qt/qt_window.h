// QtWindow: a top-level window of the Qt host (the form or a popup) with its widgets and its
// focus, and QtCore, the state every Qt-host widget keeps beside its QWidget.
//
// The host keeps positions (twips), visibility and focus itself and mirrors them onto the
// QWidgets, so both hosts report the same values and raise the same notifications.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "platform/widgets.h"

namespace orvo {

class QtHost;
class QtSite;
class QtPopupForm;
class QtWindow;

enum class QtKind {
  Surface,
  TextBox,
  Label,
  PictureBox,
  Image,
  Shape,
  Button,
  ScrollBar,
  ListBox,
  DataGrid,
  Popup,
};

struct QtCore {
  uint64_t id = 0;
  QtKind kind = QtKind::Label;
  Widget* widget = nullptr;  // null for a control's surface
  QPointer<QWidget> qwidget;
  QtWindow* window = nullptr;
  QtSite* site = nullptr;
  QtCore* parent = nullptr;
  float left = 0, top = 0, width = 0, height = 0;  // twips
  bool visible = true;
  bool enabled = true;
  int32_t hwnd = 0;

  bool Windowed() const {
    return kind != QtKind::Label && kind != QtKind::Image && kind != QtKind::Shape;
  }
  bool FocusKind() const { return Windowed() && kind != QtKind::Popup; }
  // Mirrors position, visibility and enablement onto the QWidget.
  void Sync() const;
};

class QtWindow {
 public:
  QtWindow(QtHost& host, QtPopupForm* popup, QWidget* top);
  ~QtWindow();
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  QtHost& Host() const { return host_; }
  QtPopupForm* Popup() const { return popup_; }
  QWidget* Top() const { return top_; }
  int32_t Hwnd() const { return hwnd_; }
  bool Shown() const { return shown_; }
  void SetShown(bool v) { shown_ = v; }
  // Screen position of the client area, twips: where the window system put the form,
  // where the library put a popup.
  float OriginX() const;
  float OriginY() const;
  void SetOrigin(float x, float y) { originX_ = x, originY_ = y; }

  void Add(QtCore* core) { cores_.push_back(core); }
  void Remove(QtCore* core);
  const std::vector<QtCore*>& Cores() const { return cores_; }
  bool CanFocus(const QtCore* core) const;
  QtCore* Focused() const { return focused_; }
  void MoveFocus(QtCore* target);
  void ForgetSite(const QtSite* site);
  float ScreenX(const QtCore* core) const;
  float ScreenY(const QtCore* core) const;

 private:
  bool PlacedByWindowSystem() const;

  QtHost& host_;
  QtPopupForm* popup_;
  QPointer<QWidget> top_;
  int32_t hwnd_;
  bool shown_ = false;
  float originX_ = 0, originY_ = 0;
  std::vector<QtCore*> cores_;
  QtCore* focused_ = nullptr;
  QtCore* announced_ = nullptr;
  QtSite* entered_ = nullptr;
};

}  // namespace orvo
