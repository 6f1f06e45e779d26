// Item list mode: a fixed list of items kept in ListFields and shown in the popup's list.
#include "control/orvo_mask.h"

namespace orvo {

// In the designer every list method does nothing and the list reads as empty.
int16_t OrvoMask::ListIndex() {
  if (!m_.UserMode) return 0;
  NotAvailableYet("ListIndex");
}

void OrvoMask::SetListIndex(int16_t) {
  if (!m_.UserMode) return;
  NotAvailableYet("ListIndex");
}

int16_t OrvoMask::ListCount() {
  if (!m_.UserMode) return 0;
  NotAvailableYet("ListCount");
}

std::string OrvoMask::List(int16_t) {
  if (!m_.UserMode) return "";
  NotAvailableYet("List");
}

void OrvoMask::SetList(int16_t, const std::string&) {
  if (!m_.UserMode) return;
  NotAvailableYet("List");
}

void OrvoMask::AddItem(std::string) {
  if (!m_.UserMode) return;
  NotAvailableYet("AddItem");
}

void OrvoMask::Clear() {
  if (!m_.UserMode) return;
  NotAvailableYet("Clear");
}

void OrvoMask::RemoveItem(int16_t) {
  if (!m_.UserMode) return;
  NotAvailableYet("RemoveItem");
}

void OrvoMask::Refresh() { NotAvailableYet("Refresh"); }

// The item list lives in the popup's list box, which comes with the popups; until then
// setting ListFields builds nothing.
void OrvoMask::BuildItemList() {}

}  // namespace orvo
