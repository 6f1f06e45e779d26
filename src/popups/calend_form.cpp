// CalendForm: creation, the grid's columns, and closing a page.
#include "popups/calend_form.h"

#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask.h"

namespace orvo {

CalendForm::CalendForm(HostServices& host) : host_(host), form_(host.CreatePopupForm()) {
  lst = form_->CreateListBox();
  try {
    grdLst = form_->CreateDataGrid();
  } catch (const Error&) {
    grdLst = nullptr;
  }
  txtSele = form_->CreateTextBox();
  txtSele->SetVisible(false);
  PageMode = -1;
}

DataGrid& CalendForm::Grid() {
  if (!grdLst) RaiseError(err::kObjectRequired, "the host offers no data grid for the list");
  return *grdLst;
}

void CalendForm::EncheLstRs(OrvoMask& c, bool& ok) {
  ok = false;
  DataGrid& grid = Grid();
  auto& columns = grid.Columns();
  columns.clear();
  const std::string lf = c.ListFields();
  RecordsetRef rs = c.gRsLista;
  const float tppX = host_.TwipsPerPixelX();
  size_t start = 0;
  for (;;) {
    const size_t bar = lf.find('|', start);
    DataGrid::Column col;
    col.caption =
        Trim(lf.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    col.visible = true;
    if (c.ComLstExt() && rs) {
      try {
        Field& f = rs->Fields(col.caption);
        const int16_t t = f.Type();
        if (t == fieldtype::kText || t == fieldtype::kAdChar || t == fieldtype::kAdVarChar) {
          int32_t size;
          if (c.gTpMDB) {
            size = f.Size();
          } else {
            size = f.DefinedSize();
            if (size > 50) size = 50;
          }
          col.width = form_->TextWidth("m") * size;
        } else if (t == fieldtype::kMemo || t == fieldtype::kAdLongVarChar) {
          col.width = 2000;
        } else if (!c.gTpMDB) {
          col.width = form_->TextWidth("0") * 10;
        } else {
          col.width = form_->TextWidth("0") * f.Size() * 3;
        }
      } catch (const Error&) {
        // A field the recordset lacks keeps the column's default width.
      }
      col.width += 2 * tppX;
    }
    columns.push_back(col);
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  LastColumnWidth = columns.back().width;
  ok = true;
}

void CalendForm::Descarrega(OrvoMask& c) {
  const bool shown = form_->Visible();
  int32_t liga = 0;
  bool geraEvento = shown;
  c.LigaDesligaHok(liga, geraEvento);
  txtSele->SetVisible(false);
  if (grdLst) grdLst->SetMarqueeStyle(3);
  if (shown) {
    host_.SetWindowLong(c.WndForm, kGwlStyle, c.EstiloForm);
    c.ListBoxSearch.clear();
    form_->Hide();
  }
}

void CalendForm::Unload() {
  form_->Unload();
  PageMode = -1;
}

}  // namespace orvo
