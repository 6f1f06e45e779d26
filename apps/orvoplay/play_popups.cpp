// The scripts' reach into the open popups: the calendar's cells, the calculator's keys, and
// what the popups show.
#include <cctype>

#include "access/internals.h"
#include "play_form_impl.h"
#include "popups/calc_form.h"

namespace orvo::play {

namespace {

// A calculator key by the face scripts name it with; -1 for none.
int16_t CalcKeyByFace(const std::string& face) {
  if (face.size() == 1 && std::isdigit(static_cast<unsigned char>(face[0])))
    return static_cast<int16_t>(calc::kDigit0 + (face[0] - '0'));
  static const std::pair<const char*, int16_t> kFaces[] = {
      {",", calc::kDecimalPoint}, {".", calc::kDecimalPoint}, {"=", calc::kEquals},
      {"+", calc::kAdd},          {"-", calc::kSubtract},     {"*", calc::kMultiply},
      {"/", calc::kDivide},       {"%", calc::kPercent},      {"sqrt", calc::kSquareRoot},
      {"+/-", calc::kSignChange}, {"C", calc::kClear},        {"MR", calc::kMemoryRecall},
      {"M+", calc::kMemoryPlus},  {"M-", calc::kMemoryMinus}, {"MC", calc::kMemoryClear},
      {"OK", calc::kAccept},
  };
  for (const auto& [name, index] : kFaces)
    if (face == name) return index;
  return -1;
}

std::optional<int32_t> WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  for (char ch : text)
    if (!std::isdigit(static_cast<unsigned char>(ch))) return std::nullopt;
  return std::stoi(text);
}

[[noreturn]] void NotOpen(const std::string& what) {
  RaiseError(err::kInvalidProcedureCall, "orvoplay: no " + what + " is open");
}

}  // namespace

CalendForm* PlayForm::Impl::OpenCalendar() {
  OrvoMask* owner = PopupOwnerControl();
  if (!owner && current) owner = current->control.get();
  CalendForm* form = owner ? CalendarForm(*owner) : nullptr;
  return form && form->Shown() ? form : nullptr;
}

CalcForm* PlayForm::Impl::OpenCalculator() {
  CalcForm* calc = SharedCalculator();
  return calc && calc->Form().Visible() ? calc : nullptr;
}

// Calendar cells are named by what they show (`prev`, `next`, `title`, `weekday`, a day) or
// by row and column; the click lands in the cell's middle, on the label over the title row
// when it lies there, as a real click would.
std::optional<PointTarget> PlayForm::Impl::PopupTarget(const std::vector<std::string>& target) {
  const std::string& what = target[0];
  if (what == "calc" && target.size() == 2) {
    const int16_t key = CalcKeyByFace(target[1]);
    if (key < 0) return std::nullopt;
    CalcForm* calc = OpenCalculator();
    if (!calc) NotOpen("calculator");
    return PointTarget{&calc->Button(key)};
  }
  if (what != "calendar" || target.size() < 2) return std::nullopt;
  int32_t row = -1, col = -1;
  if (target.size() == 3) {
    auto r = WholeNumber(target[1]), c = WholeNumber(target[2]);
    if (!r || !c || *r > 7 || *c > 6) return std::nullopt;
    row = *r, col = *c;
  } else if (target[1] == "prev") {
    row = 0, col = 0;
  } else if (target[1] == "next") {
    row = 0, col = 6;
  } else if (target[1] == "title") {
    row = 0, col = 3;
  } else if (target[1] == "weekday") {
    row = 1, col = 3;
  } else if (auto day = WholeNumber(target[1]); day && *day >= 1 && *day <= 31) {
    row = -2, col = *day;
  } else {
    return std::nullopt;
  }
  CalendForm* form = OpenCalendar();
  if (!form || form->PageMode != 0) NotOpen("calendar");
  const CalendarMonth& month = form->ShownMonth();
  if (row == -2) {
    const int16_t day = static_cast<int16_t>(col);
    if (day > month.daysInMonth)
      RaiseError(err::kInvalidProcedureCall, "orvoplay: the shown month has no day " + target[1]);
    row = month.RowOf(day), col = month.ColumnOf(day);
  }
  const CalendarCells cells = form->Cells();
  const float tppX = host->Services().TwipsPerPixelX(), tppY = host->Services().TwipsPerPixelY();
  const float x = (col * cells.width + cells.width / 2.0f) * tppX;
  const float y = (row * cells.height + cells.height / 2.0f) * tppY;
  Label& lab = *form->labMouse;
  if (lab.Visible() && x >= lab.Left() && x < lab.Left() + lab.Width() && y >= lab.Top() &&
      y < lab.Top() + lab.Height())
    return PointTarget{&lab, x - lab.Left(), y - lab.Top()};
  return PointTarget{&form->Form(), x, y};
}

void PlayForm::PressCalcKey(int16_t virtualKey) {
  if (!impl_->OpenCalculator()) NotOpen("calculator");
  impl_->host->SendKey({virtualKey, 0, 0});
  impl_->host->ProcessPending();
}

std::optional<Variant> PlayForm::ReadPopup(const std::string& name) {
  if (auto list = impl_->ReadList(name)) return list;
  if (name.rfind("popup.", 0) == 0) {
    PopupForm* popup = nullptr;
    if (CalendForm* calendar = impl_->OpenCalendar()) {
      popup = &calendar->Form();
    } else if (CalcForm* calc = impl_->OpenCalculator()) {
      popup = &calc->Form();
    }
    const std::string prop = name.substr(6);
    if (prop == "Visible") return Variant(popup != nullptr);
    if (prop != "Left" && prop != "Top" && prop != "Width" && prop != "Height") return std::nullopt;
    if (!popup) NotOpen("popup");
    const float v = prop == "Left"    ? popup->Left()
                    : prop == "Top"   ? popup->Top()
                    : prop == "Width" ? popup->Width()
                                      : popup->Height();
    return Variant(v);
  }
  if (name == "calc.Display" || name == "calc.Memory") {
    CalcForm* calc = impl_->OpenCalculator();
    if (!calc) NotOpen("calculator");
    if (name == "calc.Display") return Variant(calc->DisplayText());
    return Variant(calc->MemoryShown());
  }
  const std::string suffix = ").Enabled";
  if (name.rfind("calc(", 0) == 0 && name.size() > 5 + suffix.size() &&
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    const int16_t key = CalcKeyByFace(name.substr(5, name.size() - 5 - suffix.size()));
    if (key < 0) return std::nullopt;
    CalcForm* calc = impl_->OpenCalculator();
    if (!calc) NotOpen("calculator");
    return Variant(calc->Button(key).Enabled());
  }
  return std::nullopt;
}

}  // namespace orvo::play
