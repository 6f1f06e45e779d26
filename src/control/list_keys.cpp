// Keys in a list field: Up and Down move its selection, other keys reset its search,
// Delete clears it, and typed characters extend the search as the user types.
#include "base/key_codes.h"
#include "base/scope_guard.h"
#include "control/list_page.h"
#include "control/orvo_mask_impl.h"
#include "control/process_state.h"
#include "popups/calend_form.h"

namespace orvo {

namespace {

// A character below the space (Enter, Escape, Backspace) searches nothing: added to the
// search it could match no record, and a table would be read to its end looking for one.
bool SearchesList(int16_t keyAscii) {
  return keyAscii >= vk::kSpace && keyAscii <= 255;
}

}  // namespace

void OrvoMask::ListKeyDown(int16_t& KeyCode) {
  const int16_t code = KeyCode;
  if (code == vk::kUp || code == vk::kDown) {
    const std::string before = d_->ActiveBox().Text();
    const bool down = code == vk::kDown;
    TryStep([&] {
      CalendForm& calend = d_->EnsureCalendForm();
      ListPage page(*this, calend);
      if (!ComLstExt()) {
        if (calend.PageMode == -1) page.BuildItemList();
        const int16_t count = calend.lst->ListCount();
        const int16_t at = calend.lst->ListIndex();
        const int16_t next = static_cast<int16_t>(down ? at + 1 : at - 1);
        if (count < 1 || next < 0 || next >= count) return;
        Process().gActiveControl = this;
        ScopeGuard release([&, life = d_->life_.Share()] {
          if (life->alive && !d_->m_.CalendFormOpen && Process().gActiveControl == this)
            Process().gActiveControl = nullptr;
        });
        page.PoeItem(next);
        return;
      }
      // The record after (or before) the field's own, kept inside the filter range.
      const bool hadValue = !gValueAtual.IsEmpty();
      LocateValue();
      Recordset& r = *gRsLista;
      if (hadValue && !r.BOF() && !r.EOF_()) {
        if (gTpTabela) {
          int16_t oq = down ? 3 : 2;
          Pesquisa(oq);
        } else {
          down ? r.MoveNext() : r.MovePrevious();
        }
      }
      if (r.BOF() || r.EOF_() || !RegistroOk()) return;
      page.PegaSelecao(false);
    });
    if (d_->ActiveBox().Text() != before) {
      d_->Raise([&] { d_->events_->Click(); });
      d_->Raise([&] { d_->events_->Change(); });
    }
  }
  if (code < 48 /* "0" */ && code != vk::kShift && code != vk::kSpace) ListBoxSearch.clear();
  if (code == vk::kDelete) {
    TryStep([&] { ListPage(*this, d_->EnsureCalendForm()).PoeItem(-1); });
    SetText("");
  }
  if (code != vk::kReturn && code != vk::kLeft && code != vk::kRight) KeyCode = 0;
  if (code == vk::kF4) d_->bot->SetValue(true);
}

// The apostrophe searches like any other character: the criteria quote it soundly, so a
// name such as O'Neil is found as it is typed.
void OrvoMask::ListKeyPress(bool internal, int16_t& KeyAscii) {
  const int16_t key = KeyAscii;
  KeyAscii = 0;
  if (SearchesList(key)) {
    CalendForm& calend = d_->EnsureCalendForm();
    if (!ComLstExt() && calend.PageMode == -1) ListPage(*this, calend).BuildItemList();
    const std::string before = d_->ActiveBox().Text();
    const int16_t beforeIndex = calend.lst->ListIndex();
    std::string s = ListBoxSearch + static_cast<char>(key);
    ProcessState& process = Process();
    OrvoMask* const previous = process.gActiveControl;
    process.gActiveControl = this;
    ListPage(*this, calend).SearchListBox(s, internal);
    if (process.gActiveControl == this) process.gActiveControl = previous;
    ListBoxSearch = s;
    const bool changed =
        ComLstExt() ? d_->ActiveBox().Text() != before : calend.lst->ListIndex() != beforeIndex;
    if (!internal && changed) {
      d_->Raise([&] { d_->events_->Click(); });
      d_->Raise([&] { d_->events_->Change(); });
    }
  }
  if (!internal && key == vk::kReturn) PressKey(vk::kTab);
}

}  // namespace orvo
