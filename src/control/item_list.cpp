// Item list mode: a fixed list of items kept in ListFields and shown in the popup's list box.
// Every method acts at run time only; in the designer the list reads as empty.
#include "base/scope_guard.h"
#include "base/strings.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calend_form.h"

namespace orvo {

// A field loaded from a form has its items in ListFields but no list box filled yet: the
// list is built the first time it is needed.
ListBox& OrvoMaskImpl::ItemListBox() {
  CalendForm& calend = EnsureCalendForm();
  if (calend.PageMode == -1 && !q_.ComLstExt()) ListPage(q_, calend).BuildItemList();
  return *calend.lst;
}

int16_t OrvoMask::ListIndex() {
  if (!d_->m_.UserMode) return 0;
  return d_->ItemListBox().ListIndex();
}

void OrvoMask::SetListIndex(int16_t v) {
  d_->AsFrame([&] {
    if (!d_->m_.UserMode) return;
    CalendForm& calend = d_->EnsureCalendForm();
    if (calend.PageMode == -1) ListPage(*this, calend).BuildItemList();
    ProcessState& process = Process();
    process.gActiveControl = this;
    ScopeGuard release([&] {
      if (process.gActiveControl == this) process.gActiveControl = nullptr;
    });
    ListPage(*this, calend).PoeItem(v);
    if (v == -1) SetValue(Variant());
  });
}

int16_t OrvoMask::ListCount() {
  if (!d_->m_.UserMode) return 0;
  return d_->ItemListBox().ListCount();
}

std::string OrvoMask::List(int16_t Index) {
  if (!d_->m_.UserMode) return "";
  return d_->ItemListBox().List(Index);
}

void OrvoMask::SetList(int16_t Index, const std::string& v) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    if (!d_->m_.UserMode) return;
    ListBox& lst = d_->ItemListBox();
    lst.SetList(Index, v);
    if (lst.ListIndex() == Index) SetText(ReplaceChars(v, "\t", Process().gColumnSeparator, false));
  });
}

void OrvoMask::AddItem(std::string New_Item) {
  if (!d_->m_.UserMode || ComLstExt()) return;
  ListBox& lst = d_->ItemListBox();
  if (!d_->m_.ListFields.empty()) d_->m_.ListFields += "|";
  d_->m_.ListFields += New_Item;
  lst.AddItem(New_Item);
}

void OrvoMask::Clear() {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    if (!d_->m_.UserMode || ComLstExt()) return;
    if (!d_->m_.ListFields.empty()) {
      d_->m_.ListFields.clear();
      d_->EnsureCalendForm().lst->Clear();
    }
    SetText("");
  });
}

void OrvoMask::RemoveItem(int16_t New_Index) {
  // Writes to the widgets may run the application's handlers, which may close the field.
  d_->AsFrame([&] {
    if (!d_->m_.UserMode || ComLstExt()) return;
    ListBox& lst = d_->ItemListBox();
    lst.RemoveItem(New_Index);
    if (lst.ListIndex() == -1) SetText("");
    std::string items;
    for (int16_t i = 0; i < lst.ListCount(); ++i) {
      if (i > 0) items += "|";
      items += lst.List(i);
    }
    d_->m_.ListFields = items;
  });
}

void OrvoMask::Refresh() {
  d_->AsFrame([&] {
    if (ComLstExt()) {
      ListPage page(*this, d_->EnsureCalendForm());
      bool ok = false;
      page.EncheLstRs(ok);
      if (gRsLista) {
        ProcessState& process = Process();
        process.gActiveControl = this;
        ScopeGuard release([&] {
          if (process.gActiveControl == this) process.gActiveControl = nullptr;
        });
        page.Remonta();
      }
    } else {
      d_->BuildItemList();
    }
    UserControl_Resize();
  });
}

void OrvoMaskImpl::BuildItemList() {
  if (m_.ListFields.empty() && !q_.ComLstExt()) {
    // Nothing to build; a list box left from an earlier list is emptied with it.
    if (calendForm_) calendForm_->lst->Clear();
    return;
  }
  ListPage(q_, EnsureCalendForm()).BuildItemList();
}

void OrvoMaskImpl::SelectItemOfText() {
  ListBox& lst = ItemListBox();
  const std::string find =
      ReplaceChars(ActiveBox().Text(), Process().gColumnSeparator, "\t", false);
  int16_t found = -1;
  for (int16_t i = 0; i < lst.ListCount() && found < 0; ++i)
    if (lst.List(i) == find) found = i;
  ProcessState& process = Process();
  process.gActiveControl = &q_;
  const int16_t savedNaoEClick = q_.NaoEClick;
  q_.NaoEClick = -1;
  ScopeGuard release([&, life = life_.Share()] {
    if (!life->alive) return;
    q_.NaoEClick = savedNaoEClick;
    if (process.gActiveControl == &q_) process.gActiveControl = nullptr;
  });
  lst.SetListIndex(found);
}

}  // namespace orvo
