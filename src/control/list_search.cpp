// Finding records for the lookup field: the record of a bound value, and the search as the
// user types, by index seek on a table, by find on other recordsets, or by a one-record
// statement the application opens.
#include "base/error.h"
#include "base/number_text.h"
#include "base/scope_guard.h"
#include "base/strings.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "lookup/criteria_text.h"
#include "lookup/one_record_query.h"
#include "lookup/search_literals.h"
#include "mask/format_text.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

constexpr int kNumericAttempts = 11;

// Whether the index named `name` orders its first field descending ("-Codigo;+Nome").
bool FirstFieldDescending(Recordset& r, const std::string& name) {
  for (int16_t i = 0; i < r.IndexCount(); ++i) {
    IndexInfo& index = r.Indexes(i);
    if (index.Name() == name) return !index.Fields().empty() && index.Fields()[0] == '-';
  }
  return false;
}

// "bRUNO" -> "Bruno".
std::string Capitalised(const std::string& s) {
  if (s.empty()) return s;
  return UCase(s.substr(0, 1)) + LCase(s.substr(1));
}

std::string FirstColumn(DataGrid& grid, const std::string& listFields) {
  const auto& columns = grid.Columns();
  if (!columns.empty()) return columns.front().caption;
  return Trim(listFields.substr(0, listFields.find('|')));
}

}  // namespace

RecordsetRef ListPage::OpenOneRecord(Recordset& r, const std::string& criterion,
                                     bool keepOrdering) {
  const std::string source = c_.gTpMDB ? r.Name() : r.Source();
  std::string statement = BuildOneRecordQuery(source, criterion, c_.SelectFilter(), keepOrdering);
  RecordsetRef found;
  c_.OpenRecordSet(found, statement);
  return found;
}

std::string ListPage::SelecionaItem(const Variant& v) {
  if (!c_.ComLstExt() || v.IsEmpty()) return "";
  const RecordsetRef held = c_.gRsLista;
  Recordset& r = *held;
  try {
    if (c_.gTpTabela) {
      const std::string savedIndex = r.Index();
      bool found = false;
      Variant bookmark;
      {
        ScopeGuard restoreIndex([&] { r.SetIndex(savedIndex); });
        // A seek in an empty table finds nothing by itself: the record count, which some
        // engines count row by row, is not asked first.
        if (!v.IsNull()) {
          r.SetIndex(c_.IndexBound());
          r.Seek(">=", {v});
          if (!r.NoMatch() && !r.EOF_()) {
            while (!r.EOF_() && LooseEqual(r.Fields(c_.BoundColumn()).Value(), v, c_.Locale())) {
              if (c_.RegistroOk()) {
                found = true;
                bookmark = r.BookMark();
                break;
              }
              r.MoveNext();
            }
          }
        }
      }
      if (!found) return "";
      r.SetBookMark(bookmark);
      return RowText(r);
    }
    const std::string column = c_.BoundColumn();
    const int16_t type = r.Fields(column).Type();
    const std::string criterion =
        BracketName(column) + "=" + EqualityLiteral(v, type, c_.gTpMDB != 0, c_.Locale());
    RecordsetRef one = OpenOneRecord(r, criterion, false);
    if (!one) RaiseError(err::kObjectRequired, "the application opened no recordset");
    ScopeGuard close([&] { one->Close(); });
    if (one->BOF() && one->EOF_()) return "";
    return RowText(*one);
  } catch (const Error&) {
    return "";
  }
}

// The records that can start with the typed text lie together where the seek lands (each
// numeric attempt seeks the next decade): the walk stops at the first record past them
// instead of reading the rest of the table. On a descending index the seek lands just below
// them, one record away.
bool ListPage::SearchTable(Recordset& r, const std::string& s) {
  const std::string savedIndex = r.Index();
  Variant bookmark;
  bool accepted = false;
  {
    ScopeGuard restoreIndex([&] { r.SetIndex(savedIndex); });
    r.SetIndex(c_.IndexField());
    const std::string first = FirstColumn(f_.Grid(), c_.ListFields());
    const int16_t type = r.Fields(first).Type();
    const bool numberLike = IsNumberLikeFieldType(type) && !IsTextFieldType(type);
    const bool descending = FirstFieldDescending(r, c_.IndexField());
    const std::string wanted = UCase(s);
    // A text key is sought as typed, a trailing blank included: these engines keep it.
    std::string key = s;
    try {
      for (int attempt = 0; attempt < kNumericAttempts && !accepted; ++attempt) {
        if (attempt > 0 && numberLike) {
          key += "0";
        } else if (attempt > 0) {
          // A text index that compares with case orders "bia" after every capital: the
          // text is sought again as stored names are commonly written, in capitals and
          // capitalised.
          if (attempt > 2) break;
          const std::string next = attempt == 1 ? wanted : Capitalised(s);
          if (next == key || next == s) continue;
          key = next;
        }
        const Variant keyValue =
            numberLike ? Variant(ParseNumber(key, DecimalMark(c_.Locale()))) : Variant(key);
        r.Seek(descending ? "<=" : ">=", {keyValue});
        if (r.NoMatch()) continue;
        int missesAllowed = descending ? 1 : 0;
        while (!r.BOF() && !r.EOF_()) {
          const Variant value = r.Fields(first).Value();
          const std::string shown = value.IsNull() ? "" : ToText(value, c_.Locale());
          if (UCase(Left(shown, static_cast<int64_t>(s.size()))) == wanted) {
            if (c_.RegistroOk()) {
              accepted = true;
              bookmark = r.BookMark();
              break;
            }
          } else if (missesAllowed-- <= 0) {
            break;
          }
          descending ? r.MovePrevious() : r.MoveNext();
        }
      }
    } catch (const Error&) {
      // A seek the index cannot take ends the attempts.
    }
  }
  if (accepted) r.SetBookMark(bookmark);
  return accepted;
}

bool ListPage::SearchOther(Recordset& r, const std::string& s) {
  const std::string first = FirstColumn(f_.Grid(), c_.ListFields());
  const int16_t type = r.Fields(first).Type();
  const std::string criterion =
      BracketName(first) + " LIKE " + PrefixLiteral(s, type, c_.gTpMDB != 0, c_.Locale());
  if (c_.gTpMDB) {
    r.FindFirst(criterion);
  } else {
    r.MoveFirst();
    r.Find(criterion, 0, 1);
  }
  if (!NotFound(r)) return true;
  // Not in the recordset: perhaps in its table beyond the recordset's own condition.
  RecordsetRef one = OpenOneRecord(r, criterion, true);
  if (!one) RaiseError(err::kObjectRequired, "the application opened no recordset");
  ScopeGuard close([&] { one->Close(); });
  if (one->BOF() && one->EOF_()) return false;
  c_.NaoEClick = -2;
  ScopeGuard restore([&, life = OrvoMaskImpl::Of(c_).life_.Share()] {
    if (life->alive) c_.NaoEClick = 0;
  });
  WriteRecord(*one);
  return false;
}

void ListPage::SearchItems(const std::string& s) {
  ListBox& lst = *f_.lst;
  const std::string wanted = UCase(s);
  const int16_t from = s.size() == 1 ? 0 : std::max<int16_t>(lst.ListIndex(), 0);
  for (int16_t i = from; i < lst.ListCount(); ++i) {
    const std::string line = ReplaceChars(lst.List(i), "\t", " ", false);
    if (UCase(Left(line, static_cast<int64_t>(s.size()))) != wanted) continue;
    PoeItem(i);
    c_.SetSelStart(0);
    c_.SetSelLength(static_cast<int32_t>(s.size()));
    return;
  }
}

bool ListPage::SearchListBox(std::string& s, bool internal) {
  // The host's own services, not the site's: they outlive a field closed meanwhile.
  HostServices& host = c_.Site().Services().Root();
  const int16_t savedPointer = host.ScreenMousePointer();
  host.SetScreenMousePointer(static_cast<int16_t>(Ponteiro::HourGlass));
  ScopeGuard pointer([&] { host.SetScreenMousePointer(savedPointer); });
  bool found = false;
  TryStep([&] { c_.SetSelLength(0); });
  if (!s.empty() && s[0] == '\xFF') s.erase(0, 1);
  if (!c_.ComLstExt()) {
    TryStep([&] { SearchItems(s); });
    return false;
  }
  const RecordsetRef held = c_.gRsLista;
  Recordset& r = *held;
  bool inRecordset = false;
  TryStep([&] { inRecordset = c_.gTpTabela ? SearchTable(r, s) : SearchOther(r, s); });
  if (inRecordset) {
    TryStep([&] {
      if (!c_.RegistroOk()) return;
      // The grid follows only while it is shown; it finds the record when it next opens.
      if (f_.Shown()) f_.Grid().SetBookmark(r.BookMark());
      PegaSelecao(false);
      found = true;
    });
    if (found && !internal) {
      TryStep([&] {
        c_.SetSelStart(0);
        c_.SetSelLength(static_cast<int32_t>(s.size()));
      });
    }
  } else if (!c_.Text().empty() && !c_.gTpTabela) {
    TryStep([&] {
      c_.SetSelStart(0);
      c_.SetSelLength(static_cast<int32_t>(s.size()));
    });
  }
  return found;
}

}  // namespace orvo
