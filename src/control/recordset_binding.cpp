// Binding a recordset, the filter key, record validation and moves inside the filter range.
#include "base/error.h"
#include "base/scope_guard.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "lookup/criteria_text.h"
#include "lookup/filter_key.h"
#include "lookup/filter_range.h"
#include "lookup/leading_indexes.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// The range the filter key of `m` selects in `rs`.
FilterRange KeyRange(Recordset& rs, const MemberRecord& m, bool table, const LocaleSettings& loc) {
  const size_t parts = static_cast<size_t>(m.FilterKeyLast + 1);
  return FilterRange(rs, std::span(m.FilterKeyFields).first(parts),
                     std::span(m.FilterKeyValues).first(parts), !m.Filter.empty(), table, loc);
}

}  // namespace

void OrvoMask::SetSelectFilter(const std::string& v) {
  d_->m_.SelectFilter = v;
  if (gRsLista && gTpTabela) {
    d_->m_.Filter = v;
    d_->ParseFilter();
  }
}

void OrvoMask::SetFilter(const std::string& v) {
  d_->m_.Filter = v;
  d_->ParseFilter();
  d_->RaiseChangeReport("Filter");
}

void OrvoMask::SetRecordSource(RecordsetRef r) {
  gTpMDB = -1;
  gTpTabela = 0;
  gRsLista = std::move(r);
  Recordset* rs = gRsLista.get();
  bool probed = TryStep([&] {
    if (!rs) RaiseError(err::kObjectRequired, "Object required");
    (void)rs->NoMatch();
  });
  FazerRefresh = -1;
  if (!probed) {
    gTpMDB = 0;
  } else {
    TryStep([&] { gTpTabela = rs->Type() == static_cast<int16_t>(RecordsetType::Table) ? -1 : 0; });
    if (gTpTabela) {
      LeadingIndexes leading = FindLeadingIndexes(*rs, d_->m_.BoundColumn, d_->m_.ListFields);
      if (leading.bound) d_->m_.IndexBound = std::move(*leading.bound);
      if (leading.field) d_->m_.IndexField = std::move(*leading.field);
    } else {
      TryStep([&] {
        if (rs->ApproxRecordCount() > 0) FazerRefresh = -2;
      });
    }
  }
  // Parsed for every binding, not only a table's: a key left over from a table bound
  // earlier would otherwise be checked against the fields of a recordset that keeps none.
  TryStep([&] { d_->ParseFilter(); });
  if (rs) {
    TryStep([&] {
      bool ok = false;
      ListPage(*this, d_->EnsureCalendForm()).EncheLstRs(ok);
    });
  }
}

void OrvoMaskImpl::ParseFilter() {
  m_.FilterKeyLast = -1;
  if (!q_.gRsLista || m_.Filter.empty() || !q_.gTpTabela) return;
  try {
    m_.FilterKeyLast =
        ReadFilterKey(m_.Filter, *q_.gRsLista, locale_, m_.FilterKeyFields, m_.FilterKeyValues);
  } catch (const Error&) {
    m_.FilterKeyLast = -1;
  }
}

bool OrvoMask::RegistroOk() {
  if (!gRsLista) RaiseError(err::kObjectRequired, "RegistroOk: no recordset is bound");
  return KeyRange(*gRsLista, d_->m_, gTpTabela != 0, d_->locale_).Holds();
}

void OrvoMask::Pesquisa(int16_t& Oq) {
  if (!gRsLista) RaiseError(err::kObjectRequired, "Pesquisa: no recordset is bound");
  const RecordsetRef held = gRsLista;
  KeyRange(*held, d_->m_, gTpTabela != 0, d_->locale_).Move(Oq);
}

void OrvoMaskImpl::PrepareList(int16_t& SkipLocate) {
  AsFrame([&] {
    // The host's own services, not the site's: they outlive a field closed meanwhile.
    HostServices& host = site_.Services().Root();
    const int16_t savedPointer = host.ScreenMousePointer();
    m_.ListBusy = -1;
    host.SetScreenMousePointer(static_cast<int16_t>(Ponteiro::HourGlass));
    // The pointer is the host's: it comes back even when SetFilter's handler closed the form.
    ScopeGuard restore([&, life = life_.Share()] {
      host.SetScreenMousePointer(savedPointer);
      if (life->alive) m_.ListBusy = 0;
    });
    try {
      Raise([&] { events_->SetFilter(); });
      if (!q_.gRsLista) RaiseError(err::kObjectRequired, "the list has no recordset");
      if (q_.FazerRefresh != 0) {
        if (q_.FazerRefresh == -2) {
          q_.gRsLista->MoveLast();
          q_.gRsLista->MoveFirst();
        }
        EnsureCalendForm().Grid().RefreshRows();
        q_.FazerRefresh = 0;
      }
      // Whether the recordset has records shows at its start (BOF and EOF both): the record
      // count, which some engines count row by row, is not asked on the way to the list.
      if (!SkipLocate) {
        if (ActiveBox().Text().empty()) {
          if (q_.gTpTabela) {
            int16_t first = 1;
            q_.Pesquisa(first);
          } else {
            q_.gRsLista->MoveFirst();
          }
          if (!q_.gRsLista->BOF() && !q_.gRsLista->EOF_()) {
            TryStep([&] {
              Process().gActiveControl = &q_;
              EnsureCalendForm().Grid().SetBookmark(q_.gRsLista->BookMark());
            });
          }
        } else {
          LocateValue();
        }
      }
    } catch (const Error&) {
      // An error ends the preparation; the pointer and ListBusy are still restored.
    }
  });
}

void OrvoMaskImpl::LocateValue() {
  if (!q_.gRsLista) return;
  const RecordsetRef held = q_.gRsLista;
  Recordset& rs = *held;
  auto showCurrent = [&] {
    TryStep([&] {
      DataGrid& grid = EnsureCalendForm().Grid();
      const Variant located = rs.BookMark();
      grid.SetBookmark(located);
      grid.Rebind();
      // A grid that rereads from its first row on a rebind loses the row just made
      // current; it is made current again.
      if (!(grid.Bookmark() == located)) grid.SetBookmark(located);
    });
  };
  // An empty recordset stands at BOF and EOF after the move to its start; the record
  // count is not asked first.
  auto positionAtStart = [&] {
    if (q_.gTpTabela) {
      int16_t first = 1;
      q_.Pesquisa(first);
    } else {
      rs.MoveFirst();
    }
    if (!rs.BOF() && !rs.EOF_()) {
      showCurrent();
    } else {
      EnsureCalendForm().Grid().RefreshRows();
    }
  };
  try {
    if (q_.gValueAtual.IsEmpty()) return positionAtStart();
    bool found = false;
    if (q_.gTpTabela) {
      // The table's own index is put back even when the seek fails (a value of the wrong
      // type, an IndexBound the table lacks): the filter range is walked by it later.
      const std::string savedIndex = rs.Index();
      Variant bookmark;
      try {
        rs.SetIndex(m_.IndexBound);
        rs.Seek("=", {q_.gValueAtual});
        found = !rs.NoMatch();
        if (found) bookmark = rs.BookMark();
      } catch (const Error&) {
        TryStep([&] { rs.SetIndex(savedIndex); });
        throw;
      }
      rs.SetIndex(savedIndex);
      if (found) rs.SetBookMark(bookmark);
    } else {
      const std::string criterion =
          LocateCriterion(m_.BoundColumn, q_.gValueAtual, q_.gTpMDB != 0, locale_);
      if (q_.gTpMDB) {
        rs.FindFirst(criterion);
        found = !rs.NoMatch();
      } else {
        rs.MoveFirst();
        rs.Find(criterion, 0, 1);
        found = !rs.BOF() && !rs.EOF_();
      }
    }
    if (found && q_.RegistroOk()) {
      Process().gActiveControl = &q_;
      showCurrent();
    } else {
      positionAtStart();
    }
  } catch (const Error&) {
    // Any error ends the search where it stands.
  }
}

}  // namespace orvo
