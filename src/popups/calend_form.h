// CalendForm: a control's own popup form, with the calendar page and the list pages (the
// item list box `lst` and the record grid `grdLst`).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "base/variant.h"
#include "platform/host_services.h"
#include "platform/popup_widgets.h"

namespace orvo {

class OrvoMask;

class CalendForm {
 public:
  // Creates the form and its widgets (Form_Load): no page is prepared yet.
  explicit CalendForm(HostServices& host);

  PopupForm& Form() { return *form_; }
  bool Shown() const { return form_->Visible(); }

  // Builds the grid's columns for the control's ListFields; `ok` becomes true on success.
  void EncheLstRs(OrvoMask& c, bool& ok);
  // Closes the popup page without a choice.
  void Descarrega(OrvoMask& c);
  // Hides the form and forgets its drawing; the next use prepares it again.
  void Unload();

  std::unique_ptr<ListBox> lst;
  std::unique_ptr<DataGrid> grdLst;  // null when the host offers no grid
  std::unique_ptr<TextBox> txtSele;

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
  HostServices& host_;
  std::unique_ptr<PopupForm> form_;
};

}  // namespace orvo
