// The headless unbound grid.
#include "host/headless/headless_data_grid.h"

#include <algorithm>

#include "host/headless/headless_text_metrics.h"

namespace orvo {

HeadlessDataGrid::HeadlessDataGrid(HeadlessHost& host, HeadlessWindow* window)
    : HeadlessWidget(host, window, nullptr, nullptr, CoreKind::DataGrid),
      font_(host.AmbientFont()->Clone()) {}

float HeadlessDataGrid::RowHeight() const {
  return HeadlessTextHeight(font_.get(), "0") + kHeadlessTwipsPerPixel;
}

int32_t HeadlessDataGrid::VisibleRowCount() const {
  return std::max(0, static_cast<int32_t>(core_.height / RowHeight()));
}

void HeadlessDataGrid::ReadShownRows() {
  // Columns stand side by side from the left edge, hidden ones taking no room.
  float left = 0;
  for (Column& c : columns_) {
    c.left = left;
    if (c.visible) left += c.width;
  }
  shown_.clear();
  values_.clear();
  if (!OnReadRows) return;
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

void HeadlessDataGrid::Rebind() {
  top_ = Variant();
  current_ = Variant();
  ReadShownRows();
}

void HeadlessDataGrid::SetBookmark(const Variant& b) {
  current_ = b;
  if (std::find(shown_.begin(), shown_.end(), b) == shown_.end()) {
    top_ = b;
    ReadShownRows();
    current_ = b;
  }
}

void HeadlessDataGrid::SetRow(int16_t row) {
  if (row >= 0 && row < static_cast<int16_t>(shown_.size())) current_ = shown_[row];
}

int16_t HeadlessDataGrid::VisibleRow() const {
  auto it = std::find(shown_.begin(), shown_.end(), current_);
  return it == shown_.end() ? 0 : static_cast<int16_t>(it - shown_.begin());
}

int16_t HeadlessDataGrid::RowAt(float y) const {
  int32_t row = static_cast<int32_t>(y / RowHeight());
  return row >= 0 && row < static_cast<int32_t>(shown_.size()) ? static_cast<int16_t>(row) : -1;
}

void HeadlessDataGrid::Scroll(int16_t /*columns*/, int16_t rows) {
  if (rows == 0 || top_.IsEmpty() || !OnRelativeBookmark) return;
  Variant target = OnRelativeBookmark(top_, rows);
  if (target.IsNull() || target.IsEmpty()) return;
  top_ = target;
  ReadShownRows();
  if (auto notify = OnScrollNotify) notify();
}

void HeadlessDataGrid::NativeKeyDown(int16_t keyCode) {
  if (keyCode != 38 && keyCode != 40) return;
  int16_t row = VisibleRow();
  int16_t last = static_cast<int16_t>(shown_.size()) - 1;
  if (keyCode == 40) {
    if (row < last) return SetRow(row + 1);
    Scroll(0, 1);
    SetRow(static_cast<int16_t>(shown_.size()) - 1);
  } else {
    if (row > 0) return SetRow(row - 1);
    Scroll(0, -1);
    SetRow(0);
  }
}

void HeadlessDataGrid::NativeChar(int16_t keyAscii) {
  if (keyAscii < 32) return;
  lastKey_ = keyAscii;
  int16_t cancel = 0;
  if (auto before = OnBeforeColEdit) before(cancel);
}

}  // namespace orvo
