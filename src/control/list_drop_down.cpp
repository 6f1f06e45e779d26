// The lookup list drops down below the field: the record grid sized to the records of the
// filter range (eight rows at most) on the field's record, or the item list.
#include <algorithm>

#include "base/error.h"
#include "control/control_popup_owner.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calend_form.h"
#include "popups/popup_placement.h"

namespace orvo {

namespace {

constexpr int32_t kRowsShownAtMost = 8;

}  // namespace

void OrvoMaskImpl::OpenList() {
  ProcessState& process = Process();
  process.gActiveControl = &q_;
  CalendForm& calend = EnsureCalendForm();
  ListPage page(q_, calend);
  const bool records = q_.ComLstExt() != 0;
  // The count sizes the list and its scroll bar; it is asked once. Above the rows shown it
  // only places the scroll bar's thumb, so an estimate serves.
  int32_t count = 0;
  if (records) {
    int16_t skipLocate = -1;
    PrepareList(skipLocate);
    count = q_.gRsLista->ApproxRecordCount();
    if (count <= 0) return;
  } else if (ItemListBox().ListCount() < 1) {
    // A field loaded from a form builds its list box here the first time.
    return;
  }
  HostServices& host = site_.Services();
  const float tppX = host.TwipsPerPixelX(), tppY = host.TwipsPerPixelY();
  PopupForm& form = calend.Form();
  calend.IniciaCale(*popupOwner_, 1, locale_);
  form.SetScaleModePixels(false);
  form.Cls();
  const float width = pic->Width() + 2 * tppX;
  int32_t rows = 0;
  if (records) {
    DataGrid& grid = calend.Grid();
    form.SetFont(grid.Font());
    int32_t n = count;
    if (q_.gTpTabela && !m_.Filter.empty() && n > 0) {
      // The filter range's own records, counted up to a page.
      int16_t oq = 1;
      q_.Pesquisa(oq);
      n = 0;
      while (n < kRowsShownAtMost && !q_.gRsLista->EOF_()) {
        ++n;
        oq = 3;
        q_.Pesquisa(oq);
      }
    }
    calend.ListRecordCount = n;
    rows = std::min(n, kRowsShownAtMost);
    calend.lst->SetVisible(false);
    grid.SetVisible(true);
  } else {
    form.SetFont(calend.lst->Font());
    rows = std::min<int32_t>(calend.lst->ListCount(), kRowsShownAtMost);
    calend.lst->SetVisible(true);
    if (calend.grdLst) calend.grdLst->SetVisible(false);
  }
  const float height = (form.TextHeight("0") + tppY) * rows + 2 * tppY;
  const PopupPlace at =
      PlaceBelowField(host.GetWindowRect(pic->hWnd()), height, tppX, tppY, host.ScreenHeight());
  form.Move(at.left, at.top, width, height);
  // The page's widget fills the form; its own one-pixel border is the popup's frame.
  Widget& shown = records ? static_cast<Widget&>(calend.Grid()) : *calend.lst;
  shown.Move(0, 0, width, height);
  if (records) {
    DataGrid& grid = calend.Grid();
    grid.SetApproxCount(calend.ListRecordCount);
    grid.Rebind();
    int16_t skipLocate = 0;
    PrepareList(skipLocate);
    // The field's record heads the page (as far as the last page allows). Scrolling the
    // other way, by minus its row, would push a record shown low on the page out of view.
    TryStep([&] {
      const int16_t row = grid.VisibleRow();
      if (row > 0) grid.Scroll(0, row);
    });
    page.AcertaTmCol();
    shown.Move(0, 0, width, form.Height());
  }
  m_.CalendFormOpen = -1;
  ShowPopup(form);
}

}  // namespace orvo
