// The host model's list box.
#include "host/core/core_list_box.h"

#include <algorithm>

#include "base/error.h"
#include "host/core/core_host.h"

namespace orvo {

CoreListBox::CoreListBox(CoreHost& host, CoreWindow* window)
    : CoreWidget(host, window, nullptr, nullptr, WidgetKind::ListBox),
      font_(host.AmbientFont()->Clone()) {}

void CoreListBox::AddItem(const std::string& item) {
  items_.push_back(item);
  node_.Show(change::kContent);
}

void CoreListBox::RemoveItem(int16_t index) {
  if (index < 0 || index >= ListCount())
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  items_.erase(items_.begin() + index);
  // The selection goes with its item and follows the items after it.
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  node_.Show(change::kContent | change::kSelection);
}

void CoreListBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  node_.Show(change::kContent | change::kSelection);
}

std::string CoreListBox::List(int16_t index) const {
  return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

void CoreListBox::SetList(int16_t index, const std::string& s) {
  if (index < 0 || index >= ListCount()) return;
  items_[index] = s;
  node_.Show(change::kContent);
}

void CoreListBox::SetListIndex(int16_t index) {
  if (index < -1 || index >= ListCount())
    RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  if (index == listIndex_) return;
  listIndex_ = index;
  node_.Show(change::kSelection);
  if (auto click = OnClick) click();
}

// As a list box moves its selection: a line, a page of the lines it shows, or to either end.
void CoreListBox::NativeKeyDown(int16_t keyCode, int16_t) {
  if (items_.empty()) return;
  const int last = ListCount() - 1;
  int to = listIndex_;
  if (keyCode == vk::kUp) to = listIndex_ - 1;
  if (keyCode == vk::kDown) to = listIndex_ + 1;
  if (keyCode == vk::kHome) to = 0;
  if (keyCode == vk::kEnd) to = last;
  if (keyCode == vk::kPrior || keyCode == vk::kNext) {
    const int page = std::max(1, static_cast<int>(node_.height / RowHeight()) - 1);
    to = keyCode == vk::kPrior ? listIndex_ - page : std::max<int>(listIndex_, 0) + page;
  }
  to = std::clamp(to, 0, last);
  if (to != listIndex_) SetListIndex(static_cast<int16_t>(to));
}

void CoreListBox::NativePress(float y) {
  int16_t row = RowAt(y);
  if (row >= 0) SetListIndex(row);
}

float CoreListBox::RowHeight() const {
  const float measured = host_.Platform().TextHeight(font_.get(), "0");
  return node_.view ? node_.view->ItemHeight(measured) : measured;
}

int16_t CoreListBox::RowAt(float y) const {
  int first = node_.view ? node_.view->FirstShownItem() : 0;
  int32_t row = first + static_cast<int32_t>(y / RowHeight());
  return row >= 0 && row < ListCount() ? static_cast<int16_t>(row) : -1;
}

}  // namespace orvo
