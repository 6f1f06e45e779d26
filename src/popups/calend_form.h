// CalendForm: a control's own popup form, with the calendar page and the list pages (the
// item list box `lst` and the record grid `grdLst`). It reaches its control through
// PopupOwner.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "base/locale_settings.h"
#include "base/variant.h"
#include "platform/host_services.h"
#include "platform/popup_widgets.h"
#include "popups/calendar_page.h"
#include "popups/popup_owner.h"

namespace orvo {

class CalendForm {
 public:
  // Creates the form and its widgets (Form_Load): no page is prepared yet.
  explicit CalendForm(HostServices& host);
  ~CalendForm();
  CalendForm(const CalendForm&) = delete;
  CalendForm& operator=(const CalendForm&) = delete;

  PopupForm& Form() { return *form_; }
  bool Shown() const { return form_->Visible(); }

  // Prepares a page for `owner`: 0 the calendar, opened on the month of the owner's date
  // (today when its text is no date); any other mode the list page.
  void IniciaCale(PopupOwner& owner, int16_t mode, const LocaleSettings& locale);
  // Paints the calendar page for that month.
  void PintaCalendario(int16_t month, int16_t year);
  // One month arrow: index 0 the previous month, 1 the next; state 0 raised, else pressed.
  void DesenhaBotao(int16_t index, int16_t state);
  // Closes the popup page without a choice.
  void Descarrega(PopupOwner& owner);
  // Hides the form and forgets its drawing; the next use prepares it again.
  void Unload();
  // `owner` is going away: the form no longer calls it.
  void ForgetOwner(PopupOwner& owner);

  // The form's own mouse and key handlers (pixels); labMouse forwards to them.
  void Form_MouseDown(int16_t button, int16_t shift, float x, float y);
  void Form_MouseUp(int16_t button, int16_t shift, float x, float y);
  // The second press of a double click, which brings no mouse down: on an arrow it turns the
  // month again.
  void Form_DblClick();
  void Form_KeyDown(int16_t& keyCode, int16_t shift);

  // The calendar page as shown: the month, its cells, and the day last picked (Empty after
  // a click that picks nothing).
  const CalendarMonth& ShownMonth() const { return month_; }
  CalendarCells Cells() const { return cells_; }
  const Variant& PickedDate() const { return pickedDate_; }

  std::unique_ptr<ListBox> lst;
  std::unique_ptr<DataGrid> grdLst;  // null when the host offers no grid
  std::unique_ptr<TextBox> txtSele;
  std::unique_ptr<Label> labMouse;

  int16_t PageMode = -1;  // 0 calendar, 1 item list; -1 until a page is prepared
  int32_t ListRecordCount = 0;
  float LastColumnWidth = 0;  // twips
  int16_t ListEndReached = 0;
  std::array<Variant, 2> SearchEndBookmarks;  // forwards, backwards
  int16_t ListRequerying = 0;
  int16_t GridMouseArmed = 0;
  int16_t ItemBusy = 0;

  DataGrid& Grid();  // raises when the host offers no grid

 private:
  void WireEvents();
  void PickDay(int16_t day);
  void TurnMonth(bool next);
  void ShowMonth(const CalendarMonth& month);

  HostServices& host_;
  std::unique_ptr<PopupForm> form_;
  PopupOwner* owner_ = nullptr;
  LocaleSettings locale_;
  CalendarMonth month_;
  CalendarCells cells_;
  Variant pickedDate_;
  // The arrows as last drawn on the page.
  std::array<bool, 2> arrowDrawn_{};
  std::array<int16_t, 2> arrowState_{};
  // What the last mouse down on the page hit: where the second press of a double click lands.
  CalendarHit::Kind lastPressHit_ = CalendarHit::kNothing;
};

}  // namespace orvo
