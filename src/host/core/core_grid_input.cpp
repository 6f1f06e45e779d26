// The grid's own handling of keys, the mouse, the wheel and its scroll bar, after the
// notifications have been raised (both hosts deliver their input here).
#include <algorithm>
#include <cmath>
#include <utility>

#include "base/key_codes.h"
#include "host/core/core_data_grid.h"

namespace orvo {

namespace {}  // namespace

// The current row moves by `rows`, the grid scrolling when it leaves the page. A current row
// scrolled out of sight is brought back first, as the classic grid does on a key.
void CoreDataGrid::MoveCurrent(int32_t rows) {
  if (shown_.empty()) return;
  int32_t row = VisibleRow();
  if (row < 0) {
    if (current_.IsEmpty() || current_.IsNull() || !ShowPageFrom(current_, topIndex_)) {
      current_ = shown_.front();
    }
    row = std::max<int32_t>(0, VisibleRow());
  }
  const int32_t target = row + rows;
  const int32_t last = static_cast<int32_t>(shown_.size()) - 1;
  int32_t scrolled = 0;
  if (target > last) scrolled = ScrollRows(target - last);
  if (target < 0) scrolled = ScrollRows(target);
  const int32_t now = std::clamp(target - scrolled, 0, static_cast<int32_t>(shown_.size()) - 1);
  current_ = shown_[now];
  node_.Show(change::kSelection);
  if (scrolled != 0) NotifyScroll();
}

void CoreDataGrid::NativeKeyDown(int16_t keyCode, int16_t shift) {
  (void)shift;  // Home and End go to the first and last row with or without Ctrl
  const int32_t page = std::max(1, VisibleRowCount());
  switch (keyCode) {
    case vk::kUp:
      return MoveCurrent(-1);
    case vk::kDown:
      return MoveCurrent(1);
    case vk::kPrior:
    case vk::kNext: {
      // A page scrolls whole; the current row keeps its place on the page, or goes to the
      // first (last) row at an end.
      if (shown_.empty()) return;
      const bool down = keyCode == vk::kNext;
      const int32_t row = std::max<int32_t>(0, VisibleRow());
      const int32_t scrolled = ScrollRows(down ? page : -page);
      const int32_t target = row + (down ? page : -page) - scrolled;
      current_ = shown_[std::clamp(target, 0, static_cast<int32_t>(shown_.size()) - 1)];
      node_.Show(change::kSelection);
      if (scrolled != 0) NotifyScroll();
      return;
    }
    case vk::kHome:
    case vk::kEnd: {
      const Variant oldTop = shown_.empty() ? Variant() : shown_.front();
      if (keyCode == vk::kHome)
        ShowFirstPage();
      else
        ShowLastPage();
      if (shown_.empty()) return;
      current_ = keyCode == vk::kHome ? shown_.front() : shown_.back();
      node_.Show(change::kSelection);
      if (!(shown_.front() == oldTop)) NotifyScroll();
      return;
    }
    default:
      return;
  }
}

// The grid never edits: the character is handed on, and nothing is typed in.
void CoreDataGrid::NativeChar(int16_t keyAscii) {
  if (keyAscii < vk::kSpace) return;
  lastKey_ = keyAscii;
  int16_t cancel = 0;
  if (auto before = OnBeforeColEdit) before(cancel);
}

void CoreDataGrid::NativeMouse(int kind, int16_t button, float x, float y) {
  const bool press = kind == 0 || kind == 3;
  if (press && (button & 1)) {
    if (BarShown() && x >= Bar().left) {
      const GridScrollBar bar = Bar();
      if (std::optional<ScrollPart> part = BarPartAt(x, y)) return BarStep(*part);
      if (y >= bar.thumbTop && y < bar.thumbTop + bar.thumbLength) thumbGrip_ = y - bar.thumbTop;
      return;
    }
    const int16_t column = DividerAt(x, y);
    if (column >= 0) {
      divider_ = {column, x, columns_[column].width};
      return;
    }
    const int16_t row = RowAt(y);
    if (row >= 0) SetRow(row);
    return;
  }
  if (kind == 2) {
    if (divider_.column >= 0 && divider_.column < static_cast<int16_t>(columns_.size())) {
      const float width = std::max(3 * Pixel(), divider_.startWidth + (x - divider_.startX));
      if (width != columns_[divider_.column].width) {
        columns_[divider_.column].width = width;
        LayColumns();
        node_.Show(change::kContent);
      }
    }
    if (thumbGrip_ >= 0) {
      const GridScrollBar bar = Bar();
      const float travel = bar.height - 2 * bar.arrow - bar.thumbLength;
      if (travel > 0) ThumbTo((y - thumbGrip_ - bar.top - bar.arrow) / travel);
    }
  }
  if (kind != 1) return;
  thumbGrip_ = -1;
  const DividerDrag drag = std::exchange(divider_, {});
  if (drag.column >= 0 && drag.column < static_cast<int16_t>(columns_.size()) &&
      columns_[drag.column].width != drag.startWidth) {
    if (auto resized = OnColResize) resized(drag.column);
    LayColumns();  // the handler may fit the columns again
    node_.Show(change::kContent);
  }
}

bool CoreDataGrid::NativeWheel(int notches) {
  if (notches != 0 && ScrollRows(-notches * kWheelRows) != 0) NotifyScroll();
  return true;
}

void CoreDataGrid::BarStep(ScrollPart part) {
  const int32_t page = std::max(1, VisibleRowCount());
  const int32_t rows = part == ScrollPart::ArrowMin   ? -1
                       : part == ScrollPart::ArrowMax ? 1
                       : part == ScrollPart::PageMin  ? -page
                                                      : page;
  if (ScrollRows(rows) != 0) NotifyScroll();
}

// The thumb stands for rows above the top row: the fraction of its range is turned into a
// row count from the first row, reached by relative bookmark, and only that page is read.
void CoreDataGrid::ThumbTo(double fraction) {
  if (!bound_ || VisibleRowCount() == 0) return;
  const int32_t max = MaxTopIndex();
  const int32_t index =
      static_cast<int32_t>(std::lround(std::clamp(fraction, 0.0, 1.0) * static_cast<double>(max)));
  const Variant oldTop = shown_.empty() ? Variant() : shown_.front();
  if (index == 0) {
    ShowFirstPage();
  } else if (index >= max) {
    ShowLastPage();
  } else {
    Page first = Read(Variant(), false, 1);
    if (first.bookmarks.empty()) return ShowFirstPage();
    // The page opens after the row just above the new top row.
    const Variant above =
        OnRelativeBookmark ? OnRelativeBookmark(first.bookmarks.front(), index - 1) : Variant();
    if (above.IsNull() || above.IsEmpty()) {
      ShowLastPage();
    } else {
      const int32_t n = VisibleRowCount();
      Page page = Read(above, false, n);
      if (static_cast<int32_t>(page.bookmarks.size()) < n) {
        ShowLastPage();
      } else {
        ShowPage(std::move(page), index);
      }
    }
  }
  if (!shown_.empty() && !(shown_.front() == oldTop)) NotifyScroll();
}

}  // namespace orvo
