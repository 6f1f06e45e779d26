// The host model's unbound grid.
#include "host/core/core_data_grid.h"

#include <algorithm>

#include "host/core/core_host.h"

namespace orvo {

CoreDataGrid::CoreDataGrid(CoreHost& host, CoreWindow* window)
    : CoreWidget(host, window, nullptr, nullptr, WidgetKind::DataGrid),
      font_(host.AmbientFont()->Clone()) {}

float CoreDataGrid::RowHeight() const {
  return host_.Platform().TextHeight(font_.get(), "0") + 15;
}

int32_t CoreDataGrid::VisibleRowCount() const {
  return std::max(0, static_cast<int32_t>(node_.height / RowHeight()));
}

void CoreDataGrid::ReadShownRows() {
  // Columns stand side by side from the left edge, hidden ones taking no room.
  float left = 0;
  for (Column& c : columns_) {
    c.left = left;
    if (c.visible) left += c.width;
  }
  shown_.clear();
  values_.clear();
  if (OnReadRows) {
    RowBuffer rows;
    rows.rowCount = VisibleRowCount();
    Variant start;  // Empty: from the first row
    if (!top_.IsEmpty() && OnRelativeBookmark) {
      start = OnRelativeBookmark(top_, -1);
      if (start.IsNull()) start = Variant();
    }
    auto read = OnReadRows;
    read(rows, start, false);
    size_t n = std::min<size_t>(rows.bookmarks.size(), std::max(0, rows.rowCount));
    shown_.assign(rows.bookmarks.begin(), rows.bookmarks.begin() + n);
    values_ = rows.values;
    if (values_.size() > n) values_.resize(n);
    if (!shown_.empty()) top_ = shown_.front();
    if (current_.IsEmpty() && !shown_.empty()) current_ = shown_.front();
  }
  node_.Show(change::kContent | change::kSelection);
}

void CoreDataGrid::Rebind() {
  top_ = Variant();
  current_ = Variant();
  ReadShownRows();
}

void CoreDataGrid::SetBookmark(const Variant& b) {
  current_ = b;
  if (std::find(shown_.begin(), shown_.end(), b) == shown_.end()) {
    top_ = b;
    ReadShownRows();
    current_ = b;
  }
  node_.Show(change::kSelection);
}

void CoreDataGrid::SetRow(int16_t row) {
  if (row >= 0 && row < static_cast<int16_t>(shown_.size())) current_ = shown_[row];
  node_.Show(change::kSelection);
}

int16_t CoreDataGrid::VisibleRow() const {
  auto it = std::find(shown_.begin(), shown_.end(), current_);
  return it == shown_.end() ? 0 : static_cast<int16_t>(it - shown_.begin());
}

int16_t CoreDataGrid::RowAt(float y) const {
  int32_t row = static_cast<int32_t>(y / RowHeight());
  return row >= 0 && row < static_cast<int32_t>(shown_.size()) ? static_cast<int16_t>(row) : -1;
}

void CoreDataGrid::Scroll(int16_t /*columns*/, int16_t rows) {
  if (rows == 0 || top_.IsEmpty() || !OnRelativeBookmark) return;
  Variant target = OnRelativeBookmark(top_, rows);
  if (target.IsNull() || target.IsEmpty()) return;
  top_ = target;
  ReadShownRows();
  if (auto notify = OnScrollNotify) notify();
}

void CoreDataGrid::NativeKeyDown(int16_t keyCode, int16_t) {
  if (keyCode != vk::kUp && keyCode != vk::kDown) return;
  int16_t row = VisibleRow();
  int16_t last = static_cast<int16_t>(shown_.size()) - 1;
  if (keyCode == vk::kDown) {
    if (row < last) return SetRow(row + 1);
    Scroll(0, 1);
    SetRow(static_cast<int16_t>(shown_.size()) - 1);
  } else {
    if (row > 0) return SetRow(row - 1);
    Scroll(0, -1);
    SetRow(0);
  }
}

void CoreDataGrid::NativeChar(int16_t keyAscii) {
  if (keyAscii < vk::kSpace) return;
  lastKey_ = keyAscii;
  int16_t cancel = 0;
  if (auto before = OnBeforeColEdit) before(cancel);
}

void CoreDataGrid::NativePress(float y) {
  int16_t row = RowAt(y);
  if (row >= 0) SetRow(row);
}

}  // namespace orvo
