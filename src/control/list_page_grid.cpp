// The record grid of the list page: its columns, the rows it reads from the recordset in
// either direction, the relative bookmark, and its key, mouse and scroll notifications.
#include "base/error.h"
#include "base/key_codes.h"
#include "base/strings.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "lookup/database_failure.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// The room the grid's vertical scroll bar takes once more rows than it shows exist.
constexpr float kScrollBarPixels = 15;
// A press this close to a column's right edge drags the divider instead of choosing.
constexpr float kDividerZonePixels = 7;
constexpr int16_t kWholeRowHighlight = 3;
constexpr int32_t kRowsShownAtMost = 8;

// The grid reads its rows through the application's own recordset: the record the
// application (or the lookup) made current is current again once the grid has its rows.
class KeepPosition {
 public:
  explicit KeepPosition(Recordset& r) : r_(r) {
    TryStep([&] {
      if (!r_.BOF() && !r_.EOF_()) saved_ = r_.BookMark();
    });
  }
  ~KeepPosition() {
    if (!saved_.IsEmpty()) TryStep([&] { r_.SetBookMark(saved_); });
  }
  KeepPosition(const KeepPosition&) = delete;
  KeepPosition& operator=(const KeepPosition&) = delete;

 private:
  Recordset& r_;
  Variant saved_;
};

// A page is read as one run of steps: the recordset may fetch its rows together.
class ReadAheadRun {
 public:
  ReadAheadRun(Recordset& r, int32_t rows) : r_(r) {
    TryStep([&] { r_.ReadAhead(rows); });
  }
  ~ReadAheadRun() {
    TryStep([&] { r_.ReadAhead(0); });
  }
  ReadAheadRun(const ReadAheadRun&) = delete;
  ReadAheadRun& operator=(const ReadAheadRun&) = delete;

 private:
  Recordset& r_;
};

}  // namespace

bool NotFound(Recordset& r) {
  try {
    return r.NoMatch();
  } catch (const Error&) {
    return r.BOF() || r.EOF_();
  }
}

void ListPage::EncheLstRs(bool& ok) {
  ok = false;
  DataGrid& grid = f_.Grid();
  PopupForm& form = f_.Form();
  auto& columns = grid.Columns();
  columns.clear();
  const std::string lf = c_.ListFields();
  RecordsetRef rs = c_.gRsLista;
  const float tppX = c_.Site().Services().TwipsPerPixelX();
  size_t start = 0;
  for (;;) {
    const size_t bar = lf.find('|', start);
    DataGrid::Column col;
    col.caption =
        Trim(lf.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    col.visible = true;
    if (c_.ComLstExt() && rs) {
      try {
        Field& f = rs->Fields(col.caption);
        const int16_t t = f.Type();
        if (t == fieldtype::kText || t == fieldtype::kAdChar || t == fieldtype::kAdVarChar) {
          int32_t size;
          if (c_.gTpMDB) {
            size = f.Size();
          } else {
            size = f.DefinedSize();
            if (size > 50) size = 50;
          }
          col.width = form.TextWidth("m") * size;
        } else if (t == fieldtype::kMemo || t == fieldtype::kAdLongVarChar) {
          col.width = 2000;
        } else if (!c_.gTpMDB) {
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
  f_.LastColumnWidth = columns.back().width;
  ok = true;
}

void ListPage::AcertaTmCol() {
  TryStep([&] {
    DataGrid& grid = f_.Grid();
    HostServices& host = c_.Site().Services();
    const float tppX = host.TwipsPerPixelX(), tppY = host.TwipsPerPixelY();
    const float scrollRoom = f_.ListRecordCount > kRowsShownAtMost ? kScrollBarPixels * tppX : 0;
    grid.SetScrollBars(0);
    auto& columns = grid.Columns();
    if (columns.size() == 1) {
      f_.LastColumnWidth = grid.Width() - 2 * tppX - scrollRoom;
      if (f_.LastColumnWidth >= 0) columns[0].width = f_.LastColumnWidth;
    } else if (columns.size() > 1) {
      float others = 0;
      for (size_t i = 0; i + 1 < columns.size(); ++i) others += columns[i].width;
      const float room = grid.Width() - others - tppX - scrollRoom;
      // The last column stretches to fill the grid; it never shrinks below its built width.
      if (room > 0 && room > f_.LastColumnWidth) columns.back().width = room;
    }
    PopupForm& form = f_.Form();
    const int32_t rows = std::min(f_.ListRecordCount, kRowsShownAtMost);
    const float height = rows * (form.TextHeight("0") + tppY) + 2 * tppY;
    form.Move(form.Left(), form.Top(), form.Width(), height);
    grid.SetScrollBars(4);
    grid.RefreshRows();
  });
}

void ListPage::KeepApproxCount() {
  DataGrid& grid = f_.Grid();
  if (f_.ListRecordCount >= 1 && grid.ApproxCount() != f_.ListRecordCount)
    grid.SetApproxCount(f_.ListRecordCount);
}

// One step of a read: inside the filter range on a table, to the next record meeting the
// filter on other recordsets, or simply the next record.
void ListPage::StepRows(Recordset& r, bool searching, bool backwards,
                        const std::string& criterion) {
  if (!searching) {
    backwards ? r.MovePrevious() : r.MoveNext();
  } else if (c_.gTpTabela) {
    int16_t oq = backwards ? 2 : 3;
    c_.Pesquisa(oq);
  } else if (c_.gTpMDB) {
    backwards ? r.FindPrevious(criterion) : r.FindNext(criterion);
  } else {
    r.Find(criterion, 1, backwards ? -1 : 1);
  }
}

// Rows read backwards come nearest to `start` first. Rows are never kept: every display,
// scroll and refresh reads them again.
void ListPage::ReadRows(DataGrid::RowBuffer& rows, const Variant& start, bool backwards) {
  rows.values.clear();
  rows.bookmarks.clear();
  if (!c_.ComLstExt()) return;
  KeepApproxCount();
  c_.FazerRefresh = 0;
  const RecordsetRef held = c_.gRsLista;
  Recordset& r = *held;
  KeepPosition keep(r);
  const std::string criterion = c_.Filter();
  const bool searching = !criterion.empty();
  // A page of steps from the start, and the one that finds the page's end.
  ReadAheadRun run(r, searching ? 0 : rows.rowCount + 1);
  const size_t d = backwards ? 1 : 0;
  try {
    if (start.IsEmpty()) {
      if (f_.ListEndReached) {
        // A searching read found nothing before: the list stays empty from either end.
        backwards ? (r.MoveFirst(), r.MovePrevious()) : (r.MoveLast(), r.MoveNext());
      } else if (searching) {
        if (c_.gTpTabela) {
          int16_t oq = backwards ? 4 : 1;
          c_.Pesquisa(oq);
        } else if (c_.gTpMDB) {
          backwards ? r.FindLast(criterion) : r.FindFirst(criterion);
        } else {
          backwards ? r.MoveLast() : r.MoveFirst();
          r.Find(criterion, 0, backwards ? -1 : 1);
        }
        f_.ListEndReached = NotFound(r) || r.EOF_() || r.BOF() ? -1 : 0;
      } else {
        // The classic engine moved to the last record first only to learn its count; the
        // recordsets here know it without the trip.
        backwards ? r.MoveLast() : r.MoveFirst();
      }
    } else {
      r.SetBookMark(start);
      StepRows(r, searching, backwards, criterion);
    }
    f_.SearchEndBookmarks = {Variant(), Variant()};
    const auto& columns = f_.Grid().Columns();
    // A move or a find earlier on (a locate that failed) leaves NoMatch behind: only a
    // searching read asks it whether its own last step found something.
    auto current = [&] {
      if (r.BOF() || r.EOF_()) return false;
      return !searching || !NotFound(r);
    };
    Variant last;
    while (static_cast<int32_t>(rows.bookmarks.size()) < rows.rowCount && current()) {
      std::vector<Variant> values;
      values.reserve(columns.size());
      for (const DataGrid::Column& col : columns) values.push_back(r.Fields(col.caption).Value());
      rows.values.push_back(std::move(values));
      last = r.BookMark();
      rows.bookmarks.push_back(last);
      StepRows(r, searching, backwards, criterion);
      if (searching && (NotFound(r) || r.BOF() || r.EOF_())) {
        f_.SearchEndBookmarks[d] = last;
        break;
      }
    }
  } catch (const Error& e) {
    // A field the recordset lacks, or a record gone: the rows read so far stand.
    if (IsDatabaseFailure(e)) throw;
  }
  KeepApproxCount();
}

Variant ListPage::RelativeBookmark(const Variant& start, int32_t offset) {
  if (!c_.ComLstExt()) return Variant::Null();
  const RecordsetRef held = c_.gRsLista;
  Recordset& r = *held;
  KeepPosition keep(r);
  try {
    KeepApproxCount();
    r.Move(offset, start);
    if (!r.BOF() && !r.EOF_() && c_.RegistroOk()) return r.BookMark();
  } catch (const Error&) {
  }
  return Variant::Null();
}

void ListPage::ResetSearchLook() {
  c_.ListBoxSearch.clear();
  f_.txtSele->SetVisible(false);
  if (f_.grdLst) f_.grdLst->SetMarqueeStyle(kWholeRowHighlight);
}

void ListPage::GridKeyDown(int16_t& keyCode) {
  if (keyCode == vk::kEscape) {
    int16_t shift = 0;
    f_.Form_KeyDown(keyCode, shift);
    return;
  }
  TryStep([&] {
    DataGrid& grid = f_.Grid();
    if (keyCode == vk::kReturn) {
      keyCode = 0;
      const Variant current = grid.Bookmark();
      if (current.IsEmpty() || current.IsNull() || !c_.gRsLista) return;
      const RecordsetRef held = c_.gRsLista;
      held->SetBookMark(current);
      PegaSelecao(true);
    } else if (keyCode == vk::kBack || (keyCode >= vk::kPrior && keyCode <= vk::kDown)) {
      ResetSearchLook();
    }
  });
}

void ListPage::GridMouseDown(float x, float y) {
  DataGrid& grid = f_.Grid();
  if (grid.RowAt(y) < 0) return;
  f_.GridMouseArmed = -1;
  const float tppX = c_.Site().Services().TwipsPerPixelX();
  const float zone = kDividerZonePixels * tppX;
  // Over the scroll bar a press is the bar's, not a row's.
  if (f_.ListRecordCount > kRowsShownAtMost && x >= grid.Width() - kScrollBarPixels * tppX) {
    f_.GridMouseArmed = 0;
    return;
  }
  for (const DataGrid::Column& col : grid.Columns()) {
    if (!col.visible) continue;
    const float right = col.left + col.width;
    if (x > right - zone && x < right + zone) f_.GridMouseArmed = 0;
  }
}

void ListPage::GridMouseUp(float y) {
  DataGrid& grid = f_.Grid();
  const int16_t row = grid.RowAt(y);
  const bool armed = f_.GridMouseArmed != 0;
  f_.GridMouseArmed = 0;
  if (row < 0 || !armed) return;
  grid.SetRow(row);
  const Variant current = grid.Bookmark();
  if (!current.IsEmpty() && !current.IsNull()) PegaSelecao(true);
}

void ListPage::Wire() {
  OrvoMask& c = c_;
  OrvoMaskImpl& d = OrvoMaskImpl::Of(c);
  CalendForm& f = f_;
  auto page = [&c, &f] { return ListPage(c, f); };
  if (f.grdLst) {
    DataGrid& grid = *f.grdLst;
    // As the list's grid was designed: the current row highlighted whole.
    grid.SetMarqueeStyle(kWholeRowHighlight);
    grid.OnReadRows = [page](DataGrid::RowBuffer& rows, const Variant& start, bool backwards) {
      page().ReadRows(rows, start, backwards);
    };
    grid.OnRelativeBookmark = [page](const Variant& start, int32_t offset) {
      return page().RelativeBookmark(start, offset);
    };
    grid.OnKeyDown = d.InFrame([page](int16_t& keyCode, int16_t&) { page().GridKeyDown(keyCode); });
    // The grid never edits: a typed character searches the list.
    grid.OnBeforeColEdit = d.InFrame([&c, &grid](int16_t& cancel) {
      int16_t index = -11;
      int16_t key = grid.LastKey();
      cancel = -1;
      c.ProcuraLetra(index, key);
    });
    grid.OnMouseDown =
        d.InFrame([page](int16_t&, int16_t&, float& x, float& y) { page().GridMouseDown(x, y); });
    grid.OnMouseUp =
        d.InFrame([page](int16_t&, int16_t&, float&, float& y) { page().GridMouseUp(y); });
    grid.OnColResize = d.InFrame([page](int16_t) { page().AcertaTmCol(); });
    grid.OnScrollNotify = d.InFrame([page] {
      ListPage p = page();
      p.ResetSearchLook();
      p.KeepApproxCount();
    });
    grid.OnPostEvent = d.InFrame([page] { page().KeepApproxCount(); });
  }
  f.lst->OnClick = d.InFrame([page] { page().ItemChosen(); });
  f.lst->OnKeyDown = d.InFrame([page, &f](int16_t& keyCode, int16_t& shift) {
    if (keyCode == vk::kEscape || f.PageMode == 0) return f.Form_KeyDown(keyCode, shift);
    page().ItemListKeyDown(keyCode);
  });
  f.lst->OnKeyPress = d.InFrame([page](int16_t& keyAscii) { page().ItemListKeyPress(keyAscii); });
  // After keys moved the selection without choosing, a click on a line is a choice again.
  f.lst->OnMouseDown = d.InFrame([&c](int16_t&, int16_t&, float&, float&) {
    if (c.NaoEClick == -1) c.NaoEClick = 0;
  });
}

}  // namespace orvo
