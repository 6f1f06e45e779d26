// The message hook that closes an open popup when the user activates another window, its
// switch, and the control's popup forms.
#include <memory>

#include "base/error.h"
#include "control/control_popup_owner.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calc_form.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

bool StrictlyInside(const Rect& r, Point p) {
  return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

bool Over(const Rect& r, Point p) {
  return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

}  // namespace

void OrvoMask::LigaDesligaHok(int32_t& Liga, bool& GeraEvento) {
  d_->AsFrame([&] {
    if (Liga < 1) {
      d_->hok->SetHwndHook(0);
      if (GeraEvento) {
        bool status = false;  // a local false, not gDropDownStatus
        d_->Raise([&] { d_->events_->DropDown(status); });
      }
      return;
    }
    d_->hok->SetHwndHook(Liga);
    d_->hok->SetMessage(kWmPaint, true);
    d_->hok->SetMessage(kWmSize, true);
    d_->hok->SetMessage(kWmActivate, true);
  });
}

// The first message after hooking (paint still selected) gives the parent form and the popup
// back their enabled style and narrows the hook to activation changes; every later one is an
// activation change, which closes the popup unless the pointer is inside it.
void OrvoMaskImpl::hok_Message() {
  if (!m_.UserMode) return;
  HostServices& host = site_.Services();
  auto enable = [&](int32_t hwnd) {
    const int32_t style = host.GetWindowLong(hwnd, kGwlStyle);
    if (style & kWsDisabled) host.SetWindowLong(hwnd, kGwlStyle, style & ~kWsDisabled);
  };
  if (hok->Message(kWmPaint)) {
    if (host.GetWindowLong(q_.WndForm, kGwlStyle) & kWsDisabled)
      host.SetWindowLong(q_.WndForm, kGwlStyle, q_.EstiloForm);
    if (m_.CalendFormOpen && calendForm_) {
      enable(calendForm_->Form().hWnd());
    } else if (m_.CalcFormOpen && Process().calcForm) {
      enable(Process().calcForm->Form().hWnd());
    }
    hok->SetMessage(kWmPaint, false);
    hok->SetMessage(kWmSize, false);
    hok->SetMessage(kWmActivate, true);
    return;
  }
  const Point pointer = host.GetCursorPos();
  const bool overButton = Over(host.GetWindowRect(bot->hWnd()), pointer);
  if (m_.CalendFormOpen) {
    if (calendForm_ && StrictlyInside(host.GetWindowRect(calendForm_->Form().hWnd()), pointer))
      return;
    m_.CalendFormOpen = 0;
    if (!m_.ListFields.empty()) {
      CloseCalendFormPage();
    } else if (calendForm_) {
      calendForm_->Unload();
    }
    ClosedByHook(overButton, true);
  } else if (m_.CalcFormOpen) {
    CalcForm* calc = Process().calcForm.get();
    if (calc && StrictlyInside(host.GetWindowRect(calc->Form().hWnd()), pointer)) return;
    if (calc) calc->Descarrega(*popupOwner_);
    m_.CalcFormOpen = 0;
    ClosedByHook(overButton, false);
    Process().gDropDownStatus = 0;
    bool status = false;
    Raise([&] { events_->DropDown(status); });
  }
}

// What both popups do once the hook closed them: remember a close by a click on the button,
// let go of the popup, and give the focus back to the field.
void OrvoMaskImpl::ClosedByHook(bool overButton, bool raiseDropDown) {
  m_.PopupClosedAt = overButton ? site_.Services().Timer() : 0;
  if (Process().gActiveControl == &q_) Process().gActiveControl = nullptr;
  if (Process().calcForm) Process().calcForm->ForgetOwner(*popupOwner_);
  if (calendForm_) calendForm_->ForgetOwner(*popupOwner_);
  int32_t liga = 0;
  q_.LigaDesligaHok(liga, raiseDropDown);
  q_.VoltaFoco();
  if (raiseDropDown) Process().gDropDownStatus = 0;
}

orvo::CalendForm& OrvoMaskImpl::EnsureCalendForm() {
  if (!calendForm_) {
    calendForm_ = std::make_unique<orvo::CalendForm>(site_.Services());
    m_.CalendForm = calendForm_.get();
    ListPage(q_, *calendForm_).Wire();
  }
  return *calendForm_;
}

void OrvoMaskImpl::CloseCalendFormPage() {
  ListPage(q_, EnsureCalendForm()).Descarrega();
}

// The calculator is shared by the process: unloading it closes it for whichever control has
// it open.
void OrvoMaskImpl::UnloadCalculatorIfLoaded() {
  ProcessState& process = Process();
  if (!process.gCalcLoaded && !process.calcForm) return;
  std::unique_ptr<CalcForm> calc = std::move(process.calcForm);
  process.gCalcLoaded = 0;
  if (calc) calc->CloseForOwner();
}

}  // namespace orvo
