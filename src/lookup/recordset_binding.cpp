// Binding a recordset, the filter key, record validation and moves inside the filter range.
#include "base/error.h"
#include "base/format.h"
#include "base/strings.h"
#include "control/list_columns.h"
#include "control/orvo_mask.h"
#include "control/process_state.h"
#include "lookup/criteria_text.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// Runs one step of a sequence whose errors are ignored: a failing step is skipped and the
// sequence goes on.
template <typename F>
bool Try(F&& step) {
  try {
    step();
    return true;
  } catch (const Error&) {
    return false;
  }
}

// "+[Codigo];-Nome" -> "CODIGO": the first field of an index, without brackets and sign.
std::string FirstIndexField(const std::string& fields) {
  std::string f = UCase(RemoveChars(RemoveChars(fields, "[", false), "]", false));
  const size_t semi = f.find(';');
  if (semi != std::string::npos) f.resize(semi);
  if (!f.empty() && (f[0] == '+' || f[0] == '-')) f.erase(0, 1);
  return f;
}

// The first name of ListFields, trimmed and upper-cased.
std::string FirstListField(const std::string& listFields) {
  return UCase(Trim(listFields.substr(0, listFields.find('|'))));
}

// A value in a criterion. Texts are quoted with their own quotes doubled, so that a value
// such as O'Neil still makes a well-formed criterion; numbers are written with "." as the
// criterion's decimal point whatever the locale (1234,5 in a comma locale would otherwise
// read as two numbers).
std::string CriterionLiteral(const Variant& v, const LocaleSettings& loc) {
  if (v.Type() == VarType::String || v.Type() == VarType::Variant)
    return "'" + ReplaceChars(v.AsString(), "'", "''", false) + "'";
  if (v.IsNumber()) {
    LocaleSettings invariant = loc;
    invariant.decimalSeparator = ".";
    invariant.groupSeparator = ",";
    return ToText(v, invariant);
  }
  return ToText(v, loc);
}

}  // namespace

void OrvoMask::SetSelectFilter(const std::string& v) {
  m_.SelectFilter = v;
  if (gRsLista && gTpTabela) {
    m_.Filter = v;
    ParseFilter();
  }
}

void OrvoMask::SetFilter(const std::string& v) {
  m_.Filter = v;
  ParseFilter();
  RaiseChangeReport("Filter");
}

void OrvoMask::SetRecordSource(RecordsetRef r) {
  gTpMDB = -1;
  gTpTabela = 0;
  gRsLista = std::move(r);
  Recordset* rs = gRsLista.get();
  bool probed = Try([&] {
    if (!rs) RaiseError(err::kObjectRequired, "Object required");
    (void)rs->NoMatch();
  });
  FazerRefresh = -1;
  if (!probed) {
    gTpMDB = 0;
  } else {
    Try([&] { gTpTabela = rs->Type() == static_cast<int16_t>(RecordsetType::Table) ? -1 : 0; });
    if (gTpTabela) {
      const std::string firstList = FirstListField(m_.ListFields);
      const std::string bound = UCase(m_.BoundColumn);
      if (!m_.BoundColumn.empty() || !m_.ListFields.empty()) {
        int16_t count = 0;
        Try([&] { count = rs->IndexCount(); });
        for (int16_t i = 0; i < count; ++i) {
          Try([&] {
            IndexInfo& index = rs->Indexes(i);
            if (index.Foreign()) return;
            const std::string first = FirstIndexField(index.Fields());
            if (bound == first) m_.IndexBound = index.Name();
            if (firstList == first) m_.IndexField = index.Name();
          });
        }
      }
    } else {
      Try([&] {
        if (rs->RecordCount() > 0) FazerRefresh = -2;
      });
    }
  }
  // Parsed for every binding, not only a table's: a key left over from a table bound
  // earlier would otherwise be checked against the fields of a recordset that keeps none.
  Try([&] { ParseFilter(); });
  if (rs) {
    Try([&] {
      bool ok = false;
      EncheLstRs(EnsureCalendForm(), *this, ok);
    });
  }
}

void OrvoMask::ParseFilter() {
  m_.FilterKeyLast = -1;
  if (!gRsLista || m_.Filter.empty() || !gTpTabela) return;
  try {
    int16_t last = -1;
    for (const std::string& clause : SplitFilterClauses(m_.Filter)) {
      const size_t eq = clause.find('=');
      if (eq == std::string::npos)
        RaiseError(err::kInvalidProcedureCall, "filter clause `" + clause + "` has no \"=\"");
      const std::string name =
          Trim(RemoveChars(RemoveChars(clause.substr(0, eq), "[", false), "]", false));
      const std::string value = FilterClauseValue(clause.substr(eq + 1));
      if (last == 9) RaiseError(err::kSubscriptOutOfRange, "more than ten filter clauses");
      ++last;
      m_.FilterKeyFields[last] = name;
      const int16_t type = gRsLista->Fields(name).Type();
      // Long text keys as text too: SQLite's TEXT columns are long-text fields, and a text
      // key read as a number would match nothing.
      if (type == fieldtype::kText || type == fieldtype::kMemo) {
        m_.FilterKeyValues[last] = Variant(value);
      } else if (type == fieldtype::kDate) {
        m_.FilterKeyValues[last] = !Trim(value).empty() && IsDate(Variant(value), locale_)
                                       ? Variant::Date(ToDate(Variant(value), locale_))
                                       : Variant::Null();
      } else {
        // The filter is written as a criterion: numbers take "." as the decimal point.
        m_.FilterKeyValues[last] = Variant(LeadingNumber(value));
      }
    }
    m_.FilterKeyLast = last;
  } catch (const Error&) {
    m_.FilterKeyLast = -1;
  }
}

bool OrvoMask::RegistroOk() {
  if (!gRsLista) RaiseError(err::kObjectRequired, "RegistroOk: no recordset is bound");
  if (gRsLista->BOF() || gRsLista->EOF_()) return false;
  for (int16_t i = 0; i <= m_.FilterKeyLast; ++i) {
    const Variant current = gRsLista->Fields(m_.FilterKeyFields[i]).Value();
    if (!KeyPartEqual(m_.FilterKeyValues[i], current, locale_)) return false;
  }
  return true;
}

void OrvoMask::Pesquisa(int16_t& Oq) {
  if (!gRsLista) RaiseError(err::kObjectRequired, "Pesquisa: no recordset is bound");
  const RecordsetRef held = gRsLista;
  Recordset& rs = *held;
  const bool filtered = !m_.Filter.empty();
  auto previous = [&] {
    rs.MovePrevious();
    if (filtered && !RegistroOk()) {
      rs.MoveFirst();
      rs.MovePrevious();
    }
  };
  auto next = [&] {
    rs.MoveNext();
    if (filtered && !RegistroOk()) {
      rs.MoveLast();
      rs.MoveNext();
    }
  };
  if (Oq == 2) return previous();
  if (Oq == 3) return next();
  if (!filtered) {
    if (Oq == 4) rs.MoveLast();
    if (Oq == 1) rs.MoveFirst();
    return;
  }
  const int16_t lastKey = m_.FilterKeyLast;
  if (lastKey < 0) {
    if (!gTpTabela) {
      // Only tables keep a key; another recordset is asked to seek all the same and its
      // refusal is the caller's error.
      rs.Seek(">=", {});
      RaiseError(err::kInvalidProcedureCall, "Pesquisa: the filter gives no key to seek");
    }
    // A table whose filter gave no key: the range is the whole table.
    if (Oq == 4) rs.MoveLast();
    if (Oq == 1) rs.MoveFirst();
    return;
  }
  // The table's current index must lead with the key's fields.
  const std::vector<Variant> keys(m_.FilterKeyValues.begin(),
                                  m_.FilterKeyValues.begin() + lastKey + 1);
  if (Oq == 4) {
    // Past the range, then one back. Seeking just past the key itself (rather than at a
    // "next" key value such as "A2" for "A1" or 8 for 7) stays right when longer texts
    // ("A10"), fractions (7.5), times of day, code 255 or a descending index lie between
    // the key and that next value.
    rs.Seek(">", keys);
    if (rs.NoMatch()) {
      rs.MoveLast();
      rs.MoveNext();
    }
    return previous();
  }
  rs.Seek(">=", keys);
  if (rs.NoMatch()) return;
  if (!RegistroOk()) next();
}

void OrvoMask::PrepareList(int16_t& SkipLocate) {
  HostServices& host = site_.Services();
  const int16_t savedPointer = host.ScreenMousePointer();
  m_.ListBusy = -1;
  host.SetScreenMousePointer(static_cast<int16_t>(Ponteiro::HourGlass));
  try {
    events_->SetFilter();
    if (!gRsLista) RaiseError(err::kObjectRequired, "the list has no recordset");
    if (FazerRefresh != 0) {
      if (FazerRefresh == -2) {
        gRsLista->MoveLast();
        gRsLista->MoveFirst();
      }
      EnsureCalendForm().Grid().RefreshRows();
      FazerRefresh = 0;
    }
    if (!SkipLocate) {
      if (ActiveBox().Text().empty()) {
        if (gRsLista->RecordCount() > 0) {
          if (gTpTabela) {
            int16_t first = 1;
            Pesquisa(first);
          } else {
            gRsLista->MoveFirst();
          }
          if (!gRsLista->BOF() && !gRsLista->EOF_()) {
            Try([&] {
              Process().gActiveControl = this;
              EnsureCalendForm().Grid().SetBookmark(gRsLista->BookMark());
            });
          }
        }
      } else {
        LocateValue();
      }
    }
  } catch (const Error&) {
    // An error ends the preparation; the pointer and ListBusy are still restored.
  }
  host.SetScreenMousePointer(savedPointer);
  m_.ListBusy = 0;
}

void OrvoMask::LocateValue() {
  if (!gRsLista) return;
  const RecordsetRef held = gRsLista;
  Recordset& rs = *held;
  auto showCurrent = [&] {
    Try([&] {
      DataGrid& grid = EnsureCalendForm().Grid();
      const Variant located = rs.BookMark();
      grid.SetBookmark(located);
      grid.Rebind();
      // A grid that rereads from its first row on a rebind loses the row just made
      // current; it is made current again.
      if (!(grid.Bookmark() == located)) grid.SetBookmark(located);
    });
  };
  auto positionAtStart = [&] {
    if (rs.RecordCount() > 0) {
      if (gTpTabela) {
        int16_t first = 1;
        Pesquisa(first);
      } else {
        rs.MoveFirst();
      }
      if (!rs.BOF() && !rs.EOF_()) showCurrent();
    } else {
      EnsureCalendForm().Grid().RefreshRows();
    }
  };
  try {
    if (gValueAtual.IsEmpty()) return positionAtStart();
    if (rs.RecordCount() == 0) return;
    bool found = false;
    if (gTpTabela) {
      // The table's own index is put back even when the seek fails (a value of the wrong
      // type, an IndexBound the table lacks): the filter range is walked by it later.
      const std::string savedIndex = rs.Index();
      Variant bookmark;
      try {
        rs.SetIndex(m_.IndexBound);
        rs.Seek("=", {gValueAtual});
        found = !rs.NoMatch();
        if (found) bookmark = rs.BookMark();
      } catch (const Error&) {
        Try([&] { rs.SetIndex(savedIndex); });
        throw;
      }
      rs.SetIndex(savedIndex);
      if (found) rs.SetBookMark(bookmark);
    } else {
      std::string criterion = BracketName(m_.BoundColumn) + "=";
      const VarType t = gValueAtual.Type();
      if (t == VarType::Date)
        criterion += gTpMDB ? "CDate('" + Format(gValueAtual, "Short Date", locale_) + "')"
                            : "'" + Format(gValueAtual, "yyyy/mm/dd hh:mm:ss", locale_) + "'";
      else
        criterion += CriterionLiteral(gValueAtual, locale_);
      if (gTpMDB) {
        rs.FindFirst(criterion);
        found = !rs.NoMatch();
      } else {
        rs.MoveFirst();
        rs.Find(criterion, 0, 1);
        found = !rs.BOF() && !rs.EOF_();
      }
    }
    if (found && RegistroOk()) {
      Process().gActiveControl = this;
      showCurrent();
    } else {
      positionAtStart();
    }
  } catch (const Error&) {
    // Any error ends the search where it stands.
  }
}

}  // namespace orvo
