// RealInputForm: the demo's customer form in the Qt host on the real X display, and steps a
// user takes on it (clicks, keys, typing, drags) performed with xdotool, each followed by
// what the form must show.
#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "customer_form.h"
#include "host/qt/qt_host.h"

class QWidget;

namespace orvo::realinput {

// The part of a field a click aims at; Bar is a spinner's scroll bar.
enum class Part { Text, Caption, Box, Button, Bar };

struct Action {
  enum Kind {
    Click,
    DoubleClick,
    Key,
    Type,
    Drag,
    CalendarDay,
    CalcKey,
    OtherWindow,
    RightClick,
    MenuItem,
    Wheel,
    FormWindow,
    Screenshot
  } kind = Key;
  std::string field;       // Click, Drag, CalendarDay, RightClick, Wheel
  Part part = Part::Text;  // Click, DoubleClick, Wheel
  std::string keys;        // Key: xdotool key names ("Tab", "shift+Tab"); Type: the text;
                           // CalcKey: the key's index; MenuItem: the item's text; FormWindow:
                           // an xdotool window command; Screenshot: the file's name
  int from = 0, to = 0;    // Drag: caret positions in the field's text; CalendarDay: the day,
                           // or 0 with `to` clicks on the next-month (above 0) or the
                           // previous-month arrow (below 0); Wheel: notches, up above 0;
                           // FormWindow: the place for windowmove
};

inline Action ClickOn(std::string field, Part part = Part::Text) {
  return {Action::Click, std::move(field), part, {}, 0, 0};
}
inline Action DoubleClickOn(std::string field, Part part = Part::Text) {
  return {Action::DoubleClick, std::move(field), part, {}, 0, 0};
}
inline Action Press(std::string keys) {
  return {Action::Key, {}, Part::Text, std::move(keys), 0, 0};
}
inline Action TypeText(std::string text) {
  return {Action::Type, {}, Part::Text, std::move(text), 0, 0};
}
inline Action DragOver(std::string field, int from, int to) {
  return {Action::Drag, std::move(field), Part::Text, {}, from, to};
}

// A click on a day of the field's open calendar, on a key of the open calculator (by its
// index), or on a window of another application.
inline Action ClickDay(std::string field, int day) {
  return {Action::CalendarDay, std::move(field), Part::Text, {}, day, 0};
}
inline Action ClickNextMonth(std::string field) {
  return {Action::CalendarDay, std::move(field), Part::Text, {}, 0, 1};
}
inline Action ClickCalcKey(int index) {
  return {Action::CalcKey, {}, Part::Text, std::to_string(index), 0, 0};
}
inline Action ClickOtherWindow() {
  return {Action::OtherWindow, {}, Part::Text, {}, 0, 0};
}
// Quick clicks on the previous-month arrow, a tenth of a second apart.
inline Action ClickPreviousMonth(std::string field, int times) {
  return {Action::CalendarDay, std::move(field), Part::Text, {}, 0, -times};
}

// The field's context menu, and an item of the open menu chosen by its text ("Paste").
inline Action RightClickOn(std::string field) {
  return {Action::RightClick, std::move(field), Part::Text, {}, 0, 0};
}
inline Action ChooseMenuItem(std::string text) {
  return {Action::MenuItem, {}, Part::Text, std::move(text), 0, 0};
}
// Notches of the mouse wheel over a spinner's bar, up above 0.
inline Action WheelOver(std::string field, int notches) {
  return {Action::Wheel, std::move(field), Part::Bar, {}, notches, 0};
}
// The window system acts on the form's window: "windowminimize", "windowactivate",
// "windowmove" to (x, y).
inline Action OnFormWindow(std::string command, int x = 0, int y = 0) {
  return {Action::FormWindow, {}, Part::Text, std::move(command), x, y};
}
// A PNG of the screen into the ORVO_REALINPUT_SHOTS folder, when it is set.
inline Action ShootScreen(std::string name) {
  return {Action::Screenshot, {}, Part::Text, std::move(name), 0, 0};
}

// What the form shows after a step; what is left empty is not checked.
struct Expect {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  Expect(std::string f = {}, Pairs t = {}, std::optional<std::pair<int, int>> s = {}, Pairs v = {},
         std::optional<bool> p = {}, std::string d = {})
      : focus(std::move(f)),
        texts(std::move(t)),
        selection(s),
        values(std::move(v)),
        popupShown(p),
        calcDisplay(std::move(d)) {}
  std::string focus;                             // the focused field's name
  Pairs texts;                                   // field, Text()
  std::optional<std::pair<int, int>> selection;  // focused field: SelStart, SelLength
  Pairs values;                                  // field, Value() as text ("True")
  std::optional<bool> popupShown;                // the model has a popup window shown
  std::string calcDisplay;                       // the open calculator's display
  std::optional<bool> popupOnScreen;             // a popup window shows on the X screen
  std::optional<std::string> menu;  // the open context menu's enabled items, ", " between
  std::string calendarMonth;        // the open calendar's month, "3/1985"
};

// Only what a popup step checks.
inline Expect PopupExpect(bool shown, Expect::Pairs texts = {}, std::string calcDisplay = {}) {
  return Expect({}, std::move(texts), {}, {}, shown, std::move(calcDisplay));
}

inline Expect MenuExpect(std::string enabledItems) {
  Expect e;
  e.menu = std::move(enabledItems);
  return e;
}
inline Expect ScreenExpect(bool popupShown, bool popupOnScreen) {
  Expect e;
  e.popupShown = popupShown;
  e.popupOnScreen = popupOnScreen;
  return e;
}
inline Expect CalendarExpect(std::string month) {
  Expect e;
  e.calendarMonth = std::move(month);
  return e;
}

struct Step {
  Action action;
  Expect expect;
};

class RealInputForm {
 public:
  // Shows the form at a known place on the screen. Without a window manager the form becomes
  // the active window when the first click asks for it, as Qt does on a press.
  RealInputForm();
  ~RealInputForm();
  RealInputForm(const RealInputForm&) = delete;
  RealInputForm& operator=(const RealInputForm&) = delete;

  QtHost& Host() { return host_; }
  OrvoMask& Field(const std::string& name);
  // Performs the step and waits for the form to show what it expects: what differs, empty
  // when everything matches.
  std::string Run(const Step& step);
  // Writes a PNG of the windows on the screen as the X server shows them.
  bool SaveScreen(const std::string& path) const;

 private:
  std::string Perform(const Action& action);
  std::string Mismatches(const Expect& expect);
  QWidget* PartWidget(const std::string& field, Part part);
  QPoint ScreenPoint(const std::string& field, Part part);
  QPoint CaretPoint(const std::string& field, int position);
  QPoint CalendarPoint(const std::string& field, const Action& action);
  QPoint CalcKeyPoint(int index);
  bool PopupShown() const;
  bool PopupOnScreen() const;
  std::string MenuItems() const;
  std::string CalendarMonthShown();

  QtHost host_;
  std::vector<demo::Field> fields_;
  std::unique_ptr<QWidget> otherWindow_;  // another application's window, beside the form
};

}  // namespace orvo::realinput
