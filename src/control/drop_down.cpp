// The browse button's click: the guards, the choice of popup, placing it beside the control
// and showing it under the message hook.
#include "base/error.h"
#include "control/control_popup_owner.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"
#include "popups/popup_placement.h"

namespace orvo {

namespace {

// How long after a click on the button closed its popup a click there is taken for the same
// one and does not open it again.
constexpr float kReclickGuardSeconds = 4.0f;
// The calendar form's size before its first page sizes it to its font (twips).
constexpr float kCalendarWidth = 1720, kCalendarHeight = 1545;

}  // namespace

void OrvoMaskImpl::bot_Click() {
  if (q_.Locked() || q_.WhatsThisHelpID() == -1) return;
  bool cancel = false;
  Raise([&] { events_->ButtonClick(cancel); });
  if (cancel) {
    q_.VoltaFoco();
    return;
  }
  const float now = site_.Services().Timer();
  const bool sameClick = now <= m_.PopupClosedAt + kReclickGuardSeconds;
  m_.PopupClosedAt = 0;
  if (sameClick) {
    q_.VoltaFoco();
    return;
  }
  if (!m_.ListFields.empty()) {
    OpenList();
  } else if (m_.DataType == TipoDeCampo::Date) {
    OpenCalendar();
  } else if (m_.DataType == TipoDeCampo::Numeric || m_.DataType == TipoDeCampo::Spinner) {
    OpenCalculator();
  }
}

PopupPlace OrvoMaskImpl::PlaceBesideMe(float popupWidth, float popupHeight) const {
  HostServices& host = site_.Services();
  return PlaceBesideControl(host.GetWindowRect(site_.hWnd()), site_.Height(), popupWidth,
                            popupHeight, host.TwipsPerPixelX(), host.TwipsPerPixelY(),
                            host.ScreenHeight());
}

void OrvoMaskImpl::OpenCalendar() {
  Process().gActiveControl = &q_;
  try {
    bot->SetFocus();
  } catch (const Error&) {
    // A button that cannot take the focus still opens its calendar.
  }
  CalendForm& form = EnsureCalendForm();
  PopupForm& window = form.Form();
  const PopupPlace at = PlaceBesideMe(kCalendarWidth, kCalendarHeight);
  window.Move(at.left, at.top, kCalendarWidth, kCalendarHeight);
  form.IniciaCale(*popupOwner_, 0, locale_);
  // The page sizes the form to its font; a font wider than the designed one would leave
  // the calendar hanging past the control's right edge, so it is placed again at its size.
  if (window.Width() != kCalendarWidth || window.Height() != kCalendarHeight) {
    const PopupPlace sized = PlaceBesideMe(window.Width(), window.Height());
    window.Move(sized.left, sized.top, window.Width(), window.Height());
  }
  m_.CalendFormOpen = -1;
  ShowPopup(window);
}

CalcForm& OrvoMaskImpl::SharedCalcForm() {
  ProcessState& process = Process();
  HostServices& host = site_.Services().Root();
  // The calculator belongs to the host it was made in; a control of another host gets one
  // of its own, the old one closing first.
  if (process.calcForm && &process.calcForm->Host() != &host) UnloadCalculatorIfLoaded();
  if (!process.calcForm) {
    process.calcForm = std::make_unique<CalcForm>(host, locale_);
    process.gCalcLoaded = -1;
  }
  return *process.calcForm;
}

void OrvoMaskImpl::OpenCalculator() {
  CalcForm& calc = SharedCalcForm();
  const std::string start = ActiveBox().Text() + "|" +
                            CalculatorFormat(m_.compiled.IntegerDigits, m_.compiled.DecimalDigits);
  calc.IniciaCalc(*popupOwner_, start, locale_);
  PopupForm& window = calc.Form();
  const PopupPlace at = PlaceBesideMe(window.Width(), window.Height());
  window.Move(at.left, at.top, window.Width(), window.Height());
  m_.CalcFormOpen = -1;
  ShowPopup(window);
}

void OrvoMaskImpl::ShowPopup(PopupForm& form) {
  ProcessState& process = Process();
  process.gDropDownStatus = -1;
  bool status = true;
  Raise([&] { events_->DropDown(status); });
  HostServices& host = site_.Services();
  // The container's other controls sit on the same parent form: when the site cannot name
  // that form, nothing else can, and the popup is not shown.
  try {
    q_.WndForm = site_.ParentHwnd();
  } catch (const Error&) {
    return;
  }
  try {
    q_.EstiloForm = host.GetWindowLong(q_.WndForm, kGwlStyle);
  } catch (const Error&) {
    return;
  }
  process.gActiveControl = &q_;
  try {
    form.Show(false);
    int32_t liga = form.hWnd();
    bool geraEvento = false;
    q_.LigaDesligaHok(liga, geraEvento);
  } catch (const Error&) {
    try {
      form.Show(true);
    } catch (const Error&) {
    }
  }
}

}  // namespace orvo
