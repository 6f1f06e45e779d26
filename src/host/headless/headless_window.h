// HeadlessWindow: a top-level window of the headless host (the form or a popup) with the
// widgets on it and its focus, and WidgetCore, the state every headless widget shares.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/widgets.h"

namespace orvo {

class HeadlessHost;
class HeadlessSite;
class HeadlessPopupForm;
class HeadlessWindow;

enum class CoreKind {
  Surface,  // a control's own surface
  TextBox,
  Label,
  PictureBox,
  Image,
  Shape,
  Button,
  ScrollBar,
  ListBox,
  DataGrid,
  Popup,  // a popup form's own client area
};

struct WidgetCore {
  uint64_t id = 0;
  CoreKind kind = CoreKind::Label;
  Widget* widget = nullptr;  // null for a control's surface
  HeadlessWindow* window = nullptr;
  HeadlessSite* site = nullptr;                    // the control it belongs to; null in popups
  WidgetCore* parent = nullptr;                    // the picture box it sits in
  float left = 0, top = 0, width = 0, height = 0;  // twips, in the parent's scale
  bool visible = true;
  bool enabled = true;
  int32_t hwnd = 0;  // 0 for windowless widgets
  int32_t z = 0;

  bool Windowed() const {
    return kind != CoreKind::Label && kind != CoreKind::Image && kind != CoreKind::Shape;
  }
  bool FocusKind() const { return Windowed() && kind != CoreKind::Popup; }
};

class HeadlessWindow {
 public:
  HeadlessWindow(HeadlessHost& host, HeadlessPopupForm* popup);
  ~HeadlessWindow();
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  HeadlessHost& Host() const { return host_; }
  HeadlessPopupForm* Popup() const { return popup_; }
  int32_t Hwnd() const { return hwnd_; }
  bool Shown() const { return shown_; }
  void SetShown(bool v) { shown_ = v; }
  // Screen position of the client area, twips.
  float OriginX() const { return originX_; }
  float OriginY() const { return originY_; }
  void SetOrigin(float x, float y) { originX_ = x, originY_ = y; }

  void Add(WidgetCore* core);
  // Drops a widget that is going away: no focus event is raised for it.
  void Remove(WidgetCore* core);
  const std::vector<WidgetCore*>& Cores() const { return cores_; }

  // Visible and enabled up its parents, of a kind that takes the focus, on a shown window,
  // in a control that is visible and enabled.
  bool CanFocus(const WidgetCore* core) const;
  WidgetCore* Focused() const { return focused_; }
  // Raises the focus notifications in order; nested moves from handlers take over.
  void MoveFocus(WidgetCore* target);
  // Forgets the focus without notifications (the control holding it is going away).
  void ForgetSite(const HeadlessSite* site);

  // Screen position of a widget's top-left corner, twips.
  float ScreenX(const WidgetCore* core) const;
  float ScreenY(const WidgetCore* core) const;

 private:
  HeadlessHost& host_;
  HeadlessPopupForm* popup_;
  int32_t hwnd_;
  bool shown_ = false;
  float originX_ = 0, originY_ = 0;
  std::vector<WidgetCore*> cores_;
  WidgetCore* focused_ = nullptr;
  WidgetCore* announced_ = nullptr;  // got GotFocus and no LostFocus since
  HeadlessSite* entered_ = nullptr;  // got EnterFocus and no ExitFocus since
};

}  // namespace orvo
