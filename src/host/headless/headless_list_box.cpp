// The headless list box.
#include "host/headless/headless_list_box.h"

#include "base/error.h"
#include "host/headless/headless_text_metrics.h"

namespace orvo {

HeadlessListBox::HeadlessListBox(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                                 WidgetCore* parent)
    : HeadlessWidget(host, window, site, parent, CoreKind::ListBox),
      font_(host.AmbientFont()->Clone()) {}

void HeadlessListBox::RemoveItem(int16_t index) {
  if (index < 0 || index >= ListCount())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  items_.erase(items_.begin() + index);
  // The selection goes with its item and follows the items after it.
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
}

void HeadlessListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
}

std::string HeadlessListBox::List(int16_t index) const {
  return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

void HeadlessListBox::SetList(int16_t index, const std::string& s) {
  if (index >= 0 && index < ListCount()) items_[index] = s;
}

void HeadlessListBox::SetListIndex(int16_t index) {
  if (index < -1 || index >= ListCount())
    RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  if (index == listIndex_) return;
  listIndex_ = index;
  if (auto click = OnClick) click();
}

void HeadlessListBox::NativeKeyDown(int16_t keyCode) {
  if (items_.empty()) return;
  if (keyCode == 38 && listIndex_ > 0) SetListIndex(listIndex_ - 1);
  if (keyCode == 40 && listIndex_ < ListCount() - 1) SetListIndex(listIndex_ + 1);
}

int16_t HeadlessListBox::RowAt(float y) const {
  float rowHeight = HeadlessTextHeight(font_.get(), "0");
  int32_t row = static_cast<int32_t>(y / rowHeight);
  return row >= 0 && row < ListCount() ? static_cast<int16_t>(row) : -1;
}

}  // namespace orvo
