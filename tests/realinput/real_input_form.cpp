// The customer form on the real display, and the steps performed on it with xdotool.
#include "real_input_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "access/internals.h"
#include "host/core/core_popup_form.h"
#include "host/core/core_site.h"
#include "host/qt/qt_views.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"
#include "x_session.h"

namespace orvo::realinput {

namespace {

// Where the form's client area stands on the screen (no window manager moves it).
constexpr int kFormLeft = 40, kFormTop = 40;
// Where another application's window stands, clear of the form and its popups.
constexpr int kOtherLeft = 600;

std::string Arg(int v) {
  return std::to_string(v);
}

bool IsTextBox(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) != nullptr;
}

// The check box of a Boolean is the one visible part that is no caption, text, button or
// bar, that takes clicks and shows nothing inside it.
bool IsBox(const QWidget* w) {
  return !qobject_cast<const QLabel*>(w) && !IsTextBox(w) &&
         !qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QScrollBar*>(w) &&
         !w->testAttribute(Qt::WA_TransparentForMouseEvents) &&
         std::none_of(w->children().begin(), w->children().end(), [](QObject* c) {
           return c->isWidgetType() && static_cast<QWidget*>(c)->isVisible();
         });
}

// The context menu open on the screen, and an item's text without its mnemonic mark.
QMenu* OpenMenu() {
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QString ItemText(const QAction* a) {
  return a->text().remove('&');
}

}  // namespace

RealInputForm::RealInputForm() {
  fields_ = demo::BuildCustomerForm(host_, [](const char*, const Error&) {});
  host_.FormWidget()->move(kFormLeft, kFormTop);
  otherWindow_ = std::make_unique<QWidget>();
  otherWindow_->setGeometry(kOtherLeft, kFormTop, 120, 80);
  otherWindow_->show();
  host_.ShowForm();
  QWidget* form = host_.FormWidget();
  WaitFor([form] { return form->windowHandle() && form->windowHandle()->isExposed(); });
}

RealInputForm::~RealInputForm() {
  for (auto it = fields_.rbegin(); it != fields_.rend(); ++it) it->control.reset();
}

OrvoMask& RealInputForm::Field(const std::string& name) {
  for (demo::Field& f : fields_)
    if (f.site->Name() == name && f.control) return *f.control;
  throw std::runtime_error("no field " + name);
}

QWidget* RealInputForm::PartWidget(const std::string& field, Part part) {
  Field(field);
  QWidget* surface = nullptr;
  for (demo::Field& f : fields_)
    if (f.site->Name() == field)
      surface = QtView::WidgetOf(static_cast<CoreSite*>(f.site)->Surface());
  for (QWidget* w : surface->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    bool wanted = part == Part::Text      ? IsTextBox(w)
                  : part == Part::Caption ? qobject_cast<QLabel*>(w) != nullptr
                  : part == Part::Button  ? qobject_cast<QAbstractButton*>(w) != nullptr
                  : part == Part::Bar     ? qobject_cast<QScrollBar*>(w) != nullptr
                                          : IsBox(w);
    if (wanted) return w;
  }
  throw std::runtime_error("field " + field + " shows no such part");
}

QPoint RealInputForm::ScreenPoint(const std::string& field, Part part) {
  QWidget* w = PartWidget(field, part);
  return w->mapToGlobal(w->rect().center());
}

// The point where a click puts the caret before character `position`.
QPoint RealInputForm::CaretPoint(const std::string& field, int position) {
  auto* box = static_cast<QLineEdit*>(PartWidget(field, Part::Text));
  const int y = box->height() / 2;
  int x = 0;
  while (x < box->width() - 1 && box->cursorPositionAt(QPoint(x, y)) < position) ++x;
  return box->mapToGlobal(QPoint(x, y));
}

// The middle of the day's cell, or of a month arrow, on the calendar the field has open. The
// arrows lie under the label over the title row, as the user meets them.
QPoint RealInputForm::CalendarPoint(const std::string& field, const Action& action) {
  CalendForm* calendar = CalendarForm(Field(field));
  if (!calendar || !calendar->Shown()) throw std::runtime_error(field + " has no calendar open");
  const CalendarMonth& month = calendar->ShownMonth();
  const CalendarCells cells = calendar->Cells();
  const auto day = static_cast<int16_t>(action.from);
  const int row = day > 0 ? month.RowOf(day) : 0;
  const int col = day > 0 ? month.ColumnOf(day) : action.to > 0 ? 6 : 0;
  QWidget* popup = QtView::WidgetOf(*NodeOf(&calendar->Form()));
  return popup->mapToGlobal(
      QPoint(col * cells.width + cells.width / 2, row * cells.height + cells.height / 2));
}

QPoint RealInputForm::CalcKeyPoint(int index) {
  CalcForm* calc = SharedCalculator();
  if (!calc || !calc->Form().Visible()) throw std::runtime_error("no calculator is open");
  QWidget* key = QtView::WidgetOf(*NodeOf(&calc->Button(static_cast<int16_t>(index))));
  return key->mapToGlobal(key->rect().center());
}

bool RealInputForm::PopupShown() const {
  for (CoreWindow* w : const_cast<QtHost&>(host_).Windows())
    if (w->Popup() && w->Shown()) return true;
  return false;
}

// What the X server shows: a popup's window mapped and not covered by its minimised form.
bool RealInputForm::PopupOnScreen() const {
  for (CoreWindow* w : const_cast<QtHost&>(host_).Windows()) {
    QWidget* top = w->Popup() ? QtView::WidgetOf(w->Popup()->Node()) : nullptr;
    if (top && top->isVisible() && top->windowHandle() && top->windowHandle()->isExposed())
      return true;
  }
  return false;
}

std::string RealInputForm::MenuItems() const {
  QMenu* menu = OpenMenu();
  if (!menu) return "(no menu)";
  QStringList items;
  for (QAction* a : menu->actions())
    if (!a->isSeparator() && a->isEnabled()) items << ItemText(a);
  return items.join(", ").toStdString();
}

std::string RealInputForm::CalendarMonthShown() {
  for (demo::Field& f : fields_) {
    CalendForm* calendar = f.control ? CalendarForm(*f.control) : nullptr;
    if (!calendar || !calendar->Shown()) continue;
    const CalendarMonth& m = calendar->ShownMonth();
    return Arg(m.month) + "/" + Arg(m.year);
  }
  return "(no calendar)";
}

namespace {

// Two presses at one place within the double-click interval make a double click (three in
// a text box, a triple click), also across forms and with other presses between. A step's
// press waits until the interval has passed since the last press there ended.
struct Press {
  QPoint at;
  QElapsedTimer ended;
};
std::vector<Press> presses;

void KeepApartFromEarlierPresses(QPoint at) {
  const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
  std::erase_if(presses, [&](const Press& p) { return p.ended.elapsed() > interval; });
  for (const Press& p : presses)
    if ((at - p.at).manhattanLength() < 10)
      WaitFor([&] { return p.ended.elapsed() > interval; }, interval + 100);
}

}  // namespace

std::string RealInputForm::Perform(const Action& action) {
  std::vector<std::string> args;
  std::optional<QPoint> press;
  switch (action.kind) {
    case Action::Click:
    case Action::DoubleClick:
      press = ScreenPoint(action.field, action.part);
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "click"};
      if (action.kind == Action::DoubleClick) args.insert(args.end(), {"--repeat", "2"});
      args.push_back("1");
      break;
    case Action::CalendarDay:
      // Clicks on an arrow come a tenth of a second apart: quick enough to make double clicks.
      press = CalendarPoint(action.field, action);
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "click"};
      if (std::abs(action.to) > 1)
        args.insert(args.end(), {"--repeat", Arg(std::abs(action.to)), "--delay", "100"});
      args.push_back("1");
      break;
    case Action::RightClick:
      press = ScreenPoint(action.field, Part::Text);
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "click", "3"};
      break;
    case Action::MenuItem: {
      QMenu* menu = OpenMenu();
      if (!menu) return "no context menu is open";
      for (QAction* a : menu->actions())
        if (ItemText(a).toStdString() == action.keys)
          press = menu->mapToGlobal(menu->actionGeometry(a).center());
      if (!press) return "the context menu has no item " + action.keys;
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "click", "1"};
      break;
    }
    case Action::Wheel: {
      const QPoint at = ScreenPoint(action.field, Part::Bar);
      args = {"mousemove",
              Arg(at.x()),
              Arg(at.y()),
              "click",
              "--repeat",
              Arg(std::abs(action.from)),
              action.from > 0 ? "4" : "5"};
      break;
    }
    case Action::FormWindow:
      args = {action.keys, Arg(static_cast<int>(host_.FormWidget()->winId()))};
      if (action.keys == "windowmove") args.insert(args.end(), {Arg(action.from), Arg(action.to)});
      break;
    case Action::Screenshot:
      if (const char* shots = std::getenv("ORVO_REALINPUT_SHOTS"))
        if (!SaveScreen(std::string(shots) + "/" + action.keys + ".png"))
          return "cannot write " + action.keys + ".png";
      return "";
    case Action::CalcKey:
    case Action::OtherWindow:
      press = action.kind == Action::CalcKey
                  ? CalcKeyPoint(std::stoi(action.keys))
                  : otherWindow_->mapToGlobal(otherWindow_->rect().center());
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "click", "1"};
      break;
    case Action::Key:
      args = {"key"};
      for (const QString& key : QString::fromStdString(action.keys).split(' '))
        args.push_back(key.toStdString());
      break;
    case Action::Type:
      args = {"type", action.keys};
      break;
    case Action::Drag: {
      press = CaretPoint(action.field, action.from);
      QPoint to = CaretPoint(action.field, action.to);
      args = {"mousemove", Arg(press->x()), Arg(press->y()), "mousedown", "1",
              "mousemove", Arg(to.x()),     Arg(to.y()),     "mouseup"};
      args.push_back("1");
      break;
    }
  }
  if (press) KeepApartFromEarlierPresses(*press);
  std::string error;
  XDoTool(args, error);
  if (press) {
    presses.push_back({*press, {}});
    presses.back().ended.start();
  }
  return error;
}

std::string RealInputForm::Mismatches(const Expect& expect) {
  std::string out;
  if (!expect.focus.empty() && host_.FocusName() != expect.focus)
    out += " focus \"" + host_.FocusName() + "\" (want \"" + expect.focus + "\")";
  for (const auto& [field, text] : expect.texts)
    if (Field(field).Text() != text)
      out += " " + field + " \"" + Field(field).Text() + "\" (want \"" + text + "\")";
  for (const auto& [field, value] : expect.values) {
    std::string now = ToText(Field(field).Value(), LocaleSettings::PtBR());
    if (now != value) out += " " + field + " value " + now + " (want " + value + ")";
  }
  if (expect.popupShown && PopupShown() != *expect.popupShown)
    out += std::string(" popup ") + (PopupShown() ? "shown" : "hidden");
  if (expect.popupOnScreen && PopupOnScreen() != *expect.popupOnScreen)
    out += std::string(" popup ") + (PopupOnScreen() ? "on the screen" : "off the screen");
  if (expect.menu && MenuItems() != *expect.menu)
    out += " menu \"" + MenuItems() + "\" (want \"" + *expect.menu + "\")";
  if (!expect.calendarMonth.empty() && CalendarMonthShown() != expect.calendarMonth)
    out += " calendar " + CalendarMonthShown() + " (want " + expect.calendarMonth + ")";
  if (!expect.calcDisplay.empty()) {
    CalcForm* calc = SharedCalculator();
    std::string now = calc ? calc->DisplayText() : "(no calculator)";
    if (now != expect.calcDisplay)
      out += " calculator \"" + now + "\" (want \"" + expect.calcDisplay + "\")";
  }
  if (expect.selection && !host_.FocusName().empty()) {
    OrvoMask& f = Field(host_.FocusName());
    std::pair<int, int> now{f.SelStart(), f.SelLength()};
    if (now != *expect.selection)
      out += " selection " + Arg(now.first) + "+" + Arg(now.second) + " (want " +
             Arg(expect.selection->first) + "+" + Arg(expect.selection->second) + ")";
  }
  return out;
}

std::string RealInputForm::Run(const Step& step) {
  if (std::string error = Perform(step.action); !error.empty()) return error;
  WaitFor([&] { return Mismatches(step.expect).empty(); });
  return Mismatches(step.expect);
}

// The part of the screen the shown windows cover, with a margin.
bool RealInputForm::SaveScreen(const std::string& path) const {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect area;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) area = area.united(w->frameGeometry());
  area = area.adjusted(-8, -8, 8, 8).intersected(screen->geometry());
  return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(QString::fromStdString(path), "PNG");
}

}  // namespace orvo::realinput
