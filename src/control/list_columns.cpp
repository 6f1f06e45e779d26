// The lookup grid's columns: caption, visibility and a width for each listed field.
#include "control/list_columns.h"

#include "base/error.h"
#include "base/strings.h"
#include "control/orvo_mask.h"
#include "popups/calend_form.h"

namespace orvo {

void EncheLstRs(CalendForm& calend, OrvoMask& c, bool& ok) {
  ok = false;
  DataGrid& grid = calend.Grid();
  PopupForm& form = calend.Form();
  auto& columns = grid.Columns();
  columns.clear();
  const std::string lf = c.ListFields();
  RecordsetRef rs = c.gRsLista;
  const float tppX = c.Site().Services().TwipsPerPixelX();
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
          col.width = form.TextWidth("m") * size;
        } else if (t == fieldtype::kMemo || t == fieldtype::kAdLongVarChar) {
          col.width = 2000;
        } else if (!c.gTpMDB) {
          col.width = form.TextWidth("0") * 10;
        } else {
          col.width = form.TextWidth("0") * f.Size() * 3;
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
  calend.LastColumnWidth = columns.back().width;
  ok = true;
}

}  // namespace orvo
