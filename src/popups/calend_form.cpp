// CalendForm: creation, the calendar page (start, painting, the mouse and Escape), and
// closing a page.
#include "popups/calend_form.h"

#include <cmath>

#include "base/dates.h"
#include "base/error.h"
#include "base/format.h"
#include "base/key_codes.h"
#include "popups/calendar_paint.h"

namespace orvo {

namespace {

// The list page's widgets stand out of sight while the calendar page shows.
constexpr float kOutOfSightLeft = -5000, kOutOfSightWidth = 1000;
// labMouse lies over the title row as designed.
constexpr float kLabMouseHeight = 225;

}  // namespace

CalendForm::CalendForm(HostServices& host) : host_(host), form_(host.CreatePopupForm()) {
  // The form's font as designed, Arial 8.25 pt: the calendar's cells are measured in it. The
  // list page gives the form its list's font when it opens.
  auto designed = std::make_shared<Font>();
  designed->name = "Arial";
  designed->size = 8.25f;
  form_->SetFont(designed);
  lst = form_->CreateListBox();
  try {
    grdLst = form_->CreateDataGrid();
  } catch (const Error&) {
    grdLst = nullptr;
  }
  txtSele = form_->CreateTextBox();
  txtSele->SetVisible(false);
  labMouse = form_->CreateLabel();
  labMouse->SetAutoSize(false);
  labMouse->Move(0, 0, form_->Width(), kLabMouseHeight);
  PageMode = -1;
  WireEvents();
}

CalendForm::~CalendForm() = default;

void CalendForm::WireEvents() {
  form_->OnMouseDown = [this](int16_t& b, int16_t& s, float& x, float& y) {
    Form_MouseDown(b, s, x, y);
  };
  form_->OnMouseUp = [this](int16_t& b, int16_t& s, float& x, float& y) {
    Form_MouseUp(b, s, x, y);
  };
  // The label reports twips from its own corner; the form draws in pixels from its own.
  auto onForm = [this](float& x, float& y) {
    return std::pair{(x + labMouse->Left()) / host_.TwipsPerPixelX(),
                     (y + labMouse->Top()) / host_.TwipsPerPixelY()};
  };
  labMouse->OnMouseDown = [this, onForm](int16_t& b, int16_t& s, float& x, float& y) {
    auto [fx, fy] = onForm(x, y);
    Form_MouseDown(b, s, fx, fy);
  };
  labMouse->OnMouseUp = [this, onForm](int16_t& b, int16_t& s, float& x, float& y) {
    auto [fx, fy] = onForm(x, y);
    Form_MouseUp(b, s, fx, fy);
  };
  form_->OnDblClick = [this] { Form_DblClick(); };
  labMouse->OnDblClick = [this] { Form_DblClick(); };
  // The calendar page has no widget of its own: the list page's widgets, out of sight,
  // still hold the form's focus, so a key they get on that page is the form's.
  auto formKey = [this](int16_t& k, int16_t& s) {
    if (PageMode == 0) Form_KeyDown(k, s);
  };
  form_->OnKeyDown = [this](int16_t& k, int16_t& s) { Form_KeyDown(k, s); };
  lst->OnKeyDown = formKey;
  if (grdLst) grdLst->OnKeyDown = formKey;
}

DataGrid& CalendForm::Grid() {
  if (!grdLst) RaiseError(err::kObjectRequired, "the host offers no data grid for the list");
  return *grdLst;
}

void CalendForm::IniciaCale(PopupOwner& owner, int16_t mode, const LocaleSettings& locale) {
  owner_ = &owner;
  locale_ = locale;
  if (FontRef font = owner.Font()) lst->SetFont(font);
  PageMode = mode;
  if (mode != 0) return;
  const std::string text = owner.Text();
  double day = std::floor(host_.Now());
  if (!text.empty() && IsDate(Variant(text), locale_)) day = ToDate(Variant(text), locale_);
  const DateParts d = SplitDate(day);
  PintaCalendario(static_cast<int16_t>(d.month), static_cast<int16_t>(d.year));
  DesenhaBotao(0, 0);
  DesenhaBotao(1, 0);
  lst->Move(kOutOfSightLeft, lst->Top(), kOutOfSightWidth, lst->Height());
  if (grdLst) grdLst->Move(kOutOfSightLeft, grdLst->Top(), kOutOfSightWidth, grdLst->Height());
}

void CalendForm::PintaCalendario(int16_t month, int16_t year) {
  // A date outside the years the calendar pages keeps the page as it is.
  try {
    ShowMonth(CalendarMonthOf(year, month));
  } catch (const Error&) {
  }
}

// The form keeps what is drawn on it: a new page is drawn over the old one, which it covers
// but for the arrows. The old drawing is dropped first, so that it does not pile up month
// after month, and the arrows are drawn again as they stood.
void CalendForm::ShowMonth(const CalendarMonth& month) {
  month_ = month;
  form_->Cls();
  cells_ =
      PaintCalendarPage(*form_, month_, locale_, host_.TwipsPerPixelX(), host_.TwipsPerPixelY());
  for (int16_t i = 0; i < 2; ++i)
    if (arrowDrawn_[i]) DesenhaBotao(i, arrowState_[i]);
  labMouse->Move(0, 0, form_->Width(), kLabMouseHeight);
  pickedDate_ = Variant::Date(month_.first);
}

void CalendForm::DesenhaBotao(int16_t index, int16_t state) {
  if (index == 0 || index == 1) {
    arrowDrawn_[index] = true;
    arrowState_[index] = state;
  }
  try {
    DrawMonthArrow(*form_, cells_, index, state);
  } catch (const Error&) {
  }
}

void CalendForm::Form_MouseDown(int16_t, int16_t, float x, float y) {
  if (PageMode != 0) return;
  const CalendarHit hit = CalendarHitAt(month_, cells_, x, y);
  lastPressHit_ = hit.kind;
  if (hit.kind == CalendarHit::kDay) {
    PickDay(hit.day);
    return;
  }
  if (hit.kind == CalendarHit::kNothing) {
    pickedDate_ = Variant();
    return;
  }
  TurnMonth(hit.kind == CalendarHit::kNextMonth);
}

// A day picked by the first click has closed the page; a second click on a day picks nothing.
void CalendForm::Form_DblClick() {
  if (PageMode != 0) return;
  if (lastPressHit_ == CalendarHit::kPreviousMonth || lastPressHit_ == CalendarHit::kNextMonth)
    TurnMonth(lastPressHit_ == CalendarHit::kNextMonth);
}

void CalendForm::TurnMonth(bool next) {
  DesenhaBotao(next ? 1 : 0, 1);
  // The first and the last month of the calendar's years have no month beyond them.
  try {
    ShowMonth(CalendarMonthAfter(month_, next ? 1 : -1));
  } catch (const Error&) {
  }
}

void CalendForm::Form_MouseUp(int16_t, int16_t, float, float) {
  if (PageMode != 0) return;
  DesenhaBotao(0, 0);
  DesenhaBotao(1, 0);
}

// Opening the calendar gave the focus to the browse button: closing gives it back to the
// field, or the keys typed next would go to the button. The owner lets go of the popup before
// the day is written: the field's Change handler may do anything, destroying the control and
// this form with it included.
void CalendForm::PickDay(int16_t day) {
  PopupOwner* owner = owner_;
  pickedDate_ = Variant::Date(DateSerial(month_.year, month_.month, day));
  if (!owner) return;
  const std::string text = Format(pickedDate_, owner->DateFormat(), locale_);
  int32_t liga = 0;
  bool geraEvento = false;
  owner->LigaDesligaHok(liga, geraEvento);
  Unload();
  owner_ = nullptr;
  owner->VoltaFoco();
  owner->PopupClosed();
  owner->SetText(text);
}

void CalendForm::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != vk::kEscape) return;
  keyCode = 0;
  PopupOwner* owner = owner_;
  if (!owner) return;
  try {
    Descarrega(*owner);
  } catch (const Error&) {
  }
  owner_ = nullptr;
  owner->VoltaFoco();
  owner->PopupClosed();
}

void CalendForm::Descarrega(PopupOwner& owner) {
  const bool shown = form_->Visible();
  int32_t liga = 0;
  bool geraEvento = shown;
  owner.LigaDesligaHok(liga, geraEvento);
  txtSele->SetVisible(false);
  if (grdLst) grdLst->SetMarqueeStyle(3);
  if (shown) {
    host_.SetWindowLong(owner.WndForm(), kGwlStyle, owner.EstiloForm());
    owner.ClearListSearch();
    form_->Hide();
  }
}

void CalendForm::Unload() {
  form_->Unload();
  arrowDrawn_ = {false, false};
  PageMode = -1;
}

void CalendForm::ForgetOwner(PopupOwner& owner) {
  if (owner_ == &owner) owner_ = nullptr;
}

}  // namespace orvo
