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

void OrvoMaskImpl::ListKeyDown(int16_t& KeyCode) {
  const int16_t code = KeyCode;
  if (code == vk::kUp || code == vk::kDown) {
    const std::string before = ActiveBox().Text();
    const bool down = code == vk::kDown;
    TryStep([&] {
      CalendForm& calend = EnsureCalendForm();
      ListPage page(q_, calend);
      if (!q_.ComLstExt()) {
        if (calend.PageMode == -1) page.BuildItemList();
        const int16_t count = calend.lst->ListCount();
        const int16_t at = calend.lst->ListIndex();
        const int16_t next = static_cast<int16_t>(down ? at + 1 : at - 1);
        if (count < 1 || next < 0 || next >= count) return;
        Process().gActiveControl = &q_;
        ScopeGuard release([&, life = life_.Share()] {
          if (life->alive && !m_.CalendFormOpen && Process().gActiveControl == &q_)
            Process().gActiveControl = nullptr;
        });
        page.PoeItem(next);
        return;
      }
      // The record after (or before) the field's own, kept inside the filter range.
      const bool hadValue = !q_.gValueAtual.IsEmpty();
      LocateValue();
      Recordset& r = *q_.gRsLista;
      if (hadValue && !r.BOF() && !r.EOF_()) {
        if (q_.gTpTabela) {
          int16_t oq = down ? 3 : 2;
          q_.Pesquisa(oq);
        } else {
          down ? r.MoveNext() : r.MovePrevious();
        }
      }
      if (r.BOF() || r.EOF_() || !q_.RegistroOk()) return;
      page.PegaSelecao(false);
    });
    if (ActiveBox().Text() != before) {
      Raise([&] { events_->Click(); });
      Raise([&] { events_->Change(); });
    }
  }
  if (code < 48 /* "0" */ && code != vk::kShift && code != vk::kSpace) q_.ListBoxSearch.clear();
  if (code == vk::kDelete) {
    TryStep([&] { ListPage(q_, EnsureCalendForm()).PoeItem(-1); });
    q_.SetText("");
  }
  if (code != vk::kReturn && code != vk::kLeft && code != vk::kRight) KeyCode = 0;
  if (code == vk::kF4) bot->SetValue(true);
}

// The apostrophe searches like any other character: the criteria quote it soundly, so a
// name such as O'Neil is found as it is typed.
void OrvoMaskImpl::ListKeyPress(bool internal, int16_t& KeyAscii) {
  const int16_t key = KeyAscii;
  KeyAscii = 0;
  if (SearchesList(key)) {
    CalendForm& calend = EnsureCalendForm();
    if (!q_.ComLstExt() && calend.PageMode == -1) ListPage(q_, calend).BuildItemList();
    const std::string before = ActiveBox().Text();
    const int16_t beforeIndex = calend.lst->ListIndex();
    std::string s = q_.ListBoxSearch + static_cast<char>(key);
    ProcessState& process = Process();
    OrvoMask* const previous = process.gActiveControl;
    process.gActiveControl = &q_;
    ListPage(q_, calend).SearchListBox(s, internal);
    if (process.gActiveControl == &q_) process.gActiveControl = previous;
    q_.ListBoxSearch = s;
    const bool changed =
        q_.ComLstExt() ? ActiveBox().Text() != before : calend.lst->ListIndex() != beforeIndex;
    if (!internal && changed) {
      Raise([&] { events_->Click(); });
      Raise([&] { events_->Change(); });
    }
  }
  if (!internal && key == vk::kReturn) PressKey(vk::kTab);
}

}  // namespace orvo
