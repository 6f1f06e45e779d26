// Choosing from the list page: a grid row or an item written into the field, the page
// re-run and closed, and the item list built from ListFields.
#include "base/error.h"
#include "base/key_codes.h"
#include "base/scope_guard.h"
#include "base/strings.h"
#include "control/control_popup_owner.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// Item columns are tabs in the list and the column separator in the field.
std::string ItemAsFieldText(const std::string& item) {
  return ReplaceChars(item, "\t", Process().gColumnSeparator, false);
}

}  // namespace

std::string ListPage::RowText(Recordset& r) {
  std::string text;
  const auto& columns = f_.Grid().Columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += Process().gColumnSeparator;
    const Variant v = r.Fields(columns[i].caption).Value();
    if (!v.IsNull()) text += ToText(v, c_.Locale());
  }
  return text;
}

// The record's listed columns as the field's text and its bound column as the field's value;
// the caller holds NaoEClick at -2 around it.
void ListPage::WriteRecord(Recordset& r) {
  const Variant bound = r.Fields(c_.BoundColumn()).Value();
  c_.SetText(RowText(r));
  c_.gValueAtual = bound;
}

// The choice is written with NaoEClick at -2, so the field reports Text and Value without
// raising Change per box; ExcutaChange raises it once the popup has closed. NaoEClick is
// put back whatever happens: left at -2 it would mute every later write to the field.
void ListPage::PegaSelecao(bool closeAfter) {
  if (c_.NaoEClick != 0) return;
  const RecordsetRef held = c_.gRsLista;
  if (!held) return;
  Recordset& r = *held;
  c_.NaoEClick = -2;
  {
    ScopeGuard restore([&, life = OrvoMaskImpl::Of(c_).life_.Share()] {
      if (life->alive) c_.NaoEClick = 0;
    });
    if (closeAfter) r.SetBookMark(f_.Grid().Bookmark());
    WriteRecord(r);
  }
  if (!closeAfter) return;
  Descarrega();
  ProcessState& process = Process();
  if (!process.gDropDownStatus && process.gActiveControl == &c_) process.gActiveControl = nullptr;
  c_.ExcutaChange();
}

void ListPage::Remonta() {
  f_.ListRequerying = -1;
  f_.SearchEndBookmarks = {Variant(), Variant()};
  f_.ListEndReached = 0;
  const RecordsetRef held = c_.gRsLista;
  if (held && !c_.gTpTabela) TryStep([&] { held->Requery(); });
  TryStep([&] { f_.Grid().RefreshRows(); });
  TryStep([&] { SelecionaItem(c_.gValueAtual); });
  f_.SearchEndBookmarks = {Variant(), Variant()};
  f_.ListEndReached = 0;
  f_.ListRequerying = 0;
}

// Keys that moved a list's selection leave NaoEClick at -1; once the page closes the field
// takes writes as usual again.
void ListPage::Descarrega() {
  if (c_.NaoEClick == -1) c_.NaoEClick = 0;
  f_.Descarrega(*OrvoMaskImpl::Of(c_).popupOwner_);
  OrvoMaskImpl::Of(c_).m_.CalendFormOpen = 0;
}

// ---- The item list ------------------------------------------------------------------

void ListPage::BuildItemList() {
  if (c_.ComLstExt()) {
    bool ok = false;
    EncheLstRs(ok);
    return;
  }
  if (c_.ListFields().empty() || !c_.BoundColumn().empty()) return;
  ProcessState& process = Process();
  process.gActiveControl = &c_;
  ScopeGuard release([&] {
    if (process.gActiveControl == &c_) process.gActiveControl = nullptr;
  });
  f_.IniciaCale(*OrvoMaskImpl::Of(c_).popupOwner_, 1, c_.Locale());
  ListBox& lst = *f_.lst;
  lst.Clear();
  const std::string find = ReplaceChars(c_.Text(), process.gColumnSeparator, "\t", false);
  const std::string items = c_.ListFields();
  int16_t found = -1;
  size_t start = 0;
  while (start < items.size()) {
    size_t bar = items.find('|', start);
    if (bar == std::string::npos) bar = items.size();
    const std::string item = Trim(items.substr(start, bar - start));
    lst.AddItem(item);
    if (item == find) found = static_cast<int16_t>(lst.ListCount() - 1);
    start = bar + 1;
  }
  // Not shown yet, the list takes this selection without counting it as a choice.
  if (found >= 0) lst.SetListIndex(found);
}

void ListPage::PoeItem(int16_t index) {
  ListBox& lst = *f_.lst;
  f_.ItemBusy = -1;
  ScopeGuard idle([&, life = OrvoMaskImpl::Of(c_).life_.Share()] {
    if (life->alive) f_.ItemBusy = 0;
  });
  if (lst.ListCount() < 1) return;
  if (lst.ListIndex() == index) {
    ItemChosen();
  } else {
    lst.SetListIndex(index);  // its click runs the choice
  }
}

// The list box's click: a selection the user made in the open popup, or one PoeItem made.
// A selection the list takes while the popup is not shown (building it) is no choice.
void ListPage::ItemChosen() {
  ListBox& lst = *f_.lst;
  const int16_t index = lst.ListIndex();
  if (index < 0) return;
  if (!f_.ItemBusy && !(f_.Shown() && lst.Visible())) return;
  if (c_.NaoEClick != 0) return;
  {
    c_.NaoEClick = -2;
    ScopeGuard restore([&, life = OrvoMaskImpl::Of(c_).life_.Share()] {
      if (life->alive) c_.NaoEClick = 0;
    });
    c_.SetText(ItemAsFieldText(lst.List(index)));
  }
  if (f_.ItemBusy) return;
  Descarrega();
  ProcessState& process = Process();
  if (process.gActiveControl == &c_) process.gActiveControl = nullptr;
  c_.ExcutaChange();
}

// A key moves the selection without choosing; one that moves it by itself ends the search
// typed so far, as it does in the grid.
void ListPage::ItemListKeyDown(int16_t& keyCode) {
  c_.NaoEClick = -1;
  if (keyCode == vk::kBack || (keyCode >= vk::kPrior && keyCode <= vk::kDown))
    c_.ListBoxSearch.clear();
}

// Enter chooses the selected line. Other characters search the items as typing in the field
// does: the line found is selected and written into the field, and the list stays open.
void ListPage::ItemListKeyPress(int16_t& keyAscii) {
  int16_t key = keyAscii;
  keyAscii = 0;
  c_.NaoEClick = 0;
  if (key == vk::kReturn) return ItemChosen();
  int16_t index = -11;  // from the list, not the field's own box
  c_.ProcuraLetra(index, key);
}

}  // namespace orvo
