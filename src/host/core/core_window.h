// CoreWindow: a top-level window of the host model (the form or a popup) with the widgets
// on it, its focus and the order of its focus notifications.
#pragma once

#include <cstdint>
#include <vector>

#include "host/core/widget_node.h"

namespace orvo {

class CorePopupForm;

class CoreWindow {
 public:
  CoreWindow(CoreHost& host, CorePopupForm* popup);
  ~CoreWindow();
  CoreWindow(const CoreWindow&) = delete;
  CoreWindow& operator=(const CoreWindow&) = delete;

  CorePopupForm* Popup() const { return popup_; }
  int32_t Hwnd() const { return hwnd_; }
  bool Shown() const { return shown_; }
  void SetShown(bool v);
  // Screen position of the client area, twips: where a window system put the form (else
  // the screen's corner), where the library put a popup.
  float OriginX() const;
  float OriginY() const;

  void Add(WidgetNode* node) { nodes_.push_back(node); }
  // Drops a widget that is going away: no focus event is raised for it.
  void Remove(WidgetNode* node);
  const std::vector<WidgetNode*>& Nodes() const { return nodes_; }

  // Visible and enabled up its parents, in a control that is visible and enabled, on a
  // shown window; CanFocus: and of a kind that takes the focus, on this window.
  static bool Reachable(const WidgetNode* node);
  bool CanFocus(const WidgetNode* node) const;
  WidgetNode* Focused() const { return focused_; }
  // Raises the focus notifications in order; nested moves from handlers take over.
  void MoveFocus(WidgetNode* target);
  // Lets go of the widgets still on it (the window is going away).
  void DetachAll();
  // Forgets the focus without notifications (the control holding it is going away).
  void ForgetSite(const CoreSite* site);
  // The first widget that can take the focus gets it, unless one has it.
  void FocusFirst();

  // Screen position of a widget's top-left corner, twips.
  float ScreenX(const WidgetNode* node) const;
  float ScreenY(const WidgetNode* node) const;

 private:
  CoreHost& host_;
  CorePopupForm* popup_;
  int32_t hwnd_;
  bool shown_ = false;
  std::vector<WidgetNode*> nodes_;
  WidgetNode* focused_ = nullptr;
  WidgetNode* announced_ = nullptr;  // got GotFocus and no LostFocus since
  CoreSite* entered_ = nullptr;      // got EnterFocus and no ExitFocus since
};

}  // namespace orvo
