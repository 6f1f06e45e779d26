// QtHost: the host model over Qt 6 Widgets. Each widget of the model has a QWidget view that
// shows it; real key, mouse, focus and activation events become the model's input.
//
// Supports:
// - views for every widget of widgets.h: QLineEdit / QPlainTextEdit text boxes (showing the
//   model's text and selection; the user's own mouse selection goes back to the model, and
//   the context menu's actions take the paths of their keys; text set at the box's top),
//   QLabel (a caption beside a box drawn on the line of the box's text), painted picture box,
//   image and shape, QPushButton, QScrollBar (inverted ranges shown inverted; a wheel notch
//   is an arrow click), QListWidget, and the grid painted from the model's drawing data
//   with a real QScrollBar (it never holds the table);
// - a widget's QWidget made when it first shows (or is asked for), showing the model's whole
//   state and standing where the model's stacking puts it: a hidden part costs no QWidget;
// - popups as real frameless windows painting the model's drawing data, transient for the
//   form's window; one the window system closes closes as on Escape, and a move or resize
//   of the form closes them;
// - real input: keys (the control's before any shortcut of the window, except keys with Ctrl
//   or Alt that are not editing keys: a menu's Ctrl+S and access keys come first; Alt with a
//   key types nothing), the text an input method commits (typed as its characters, into a
//   box, a list or a grid), mouse presses, moves and releases, the wheel over the grid, focus
//   given by a click, window activation by the window system (WM_ACTIVATE also when the user
//   activates another window);
// - text measured with the real font; the system clipboard, beep and pointer; the real or
//   a fixed clock; the regional settings of QLocale::system() on request; screenshots;
// - the offscreen platform (QT_QPA_PLATFORM=offscreen) at 96 dpi, 15 twips per pixel.
// Does not: run a modal loop of its own (a modal popup shows application-modal).
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "host/core/core_host.h"
#include "host/qt/qt_platform.h"
#include "orvo/qt_host.h"

namespace orvo {

// The platform is a base ahead of the model, so it outlives every view the model holds.
struct QtPlatformHolder {
  explicit QtPlatformHolder(QWidget* embedIn) : platform(embedIn) {}
  QtPlatform platform;
};

class QtHost : private QtPlatformHolder, public CoreHost {
 public:
  explicit QtHost(QtHostOptions options = {});
  // A host whose form is a child widget of `formParent` in an application's window (see
  // OrvoMaskWidget) instead of a window of its own.
  QtHost(QWidget* formParent, QtHostOptions options);
  ~QtHost() override;

  // The form's window, and a PNG of it and every shown popup; false when it cannot write.
  // The views of what the model shows are all made by then.
  QWidget* FormWidget() const {
    platform.MakeDeferredViews();
    return platform.FormWidget();
  }
  bool SaveScreenshot(const std::string& path);
};

}  // namespace orvo
