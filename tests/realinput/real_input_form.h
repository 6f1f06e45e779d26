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

// The part of a field a click aims at.
enum class Part { Text, Caption, Box, Button };

struct Action {
  enum Kind { Click, DoubleClick, Key, Type, Drag, CalendarDay, CalcKey, OtherWindow } kind = Key;
  std::string field;       // Click, Drag, CalendarDay
  Part part = Part::Text;  // Click, DoubleClick
  std::string keys;        // Key: xdotool key names ("Tab", "shift+Tab"); Type: the text;
                           // CalcKey: the key's index
  int from = 0, to = 0;    // Drag: caret positions in the field's text; CalendarDay: the day,
                           // or 0 with `to` 1 for the next-month arrow
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
  std::optional<bool> popupShown;                // a popup window is on the screen
  std::string calcDisplay;                       // the open calculator's display
};

// Only what a popup step checks.
inline Expect PopupExpect(bool shown, Expect::Pairs texts = {}, std::string calcDisplay = {}) {
  return Expect({}, std::move(texts), {}, {}, shown, std::move(calcDisplay));
}

struct Step {
  Action action;
  Expect expect;
};

class RealInputForm {
 public:
  // Shows the form at a known place on the screen. No window manager runs: the form becomes
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

  QtHost host_;
  std::vector<demo::Field> fields_;
  std::unique_ptr<QWidget> otherWindow_;  // another application's window, beside the form
};

}  // namespace orvo::realinput
