// The host model's unbound grid: its properties, and reading the rows it shows.
#include "host/core/core_data_grid.h"

#include <algorithm>

#include "base/error.h"
#include "lookup/database_failure.h"

namespace orvo {

CoreDataGrid::CoreDataGrid(CoreHost& host, CoreWindow* window)
    : CoreWidget(host, window, nullptr, nullptr, WidgetKind::DataGrid),
      font_(host.AmbientFont()->Clone()) {}

float CoreDataGrid::Pixel() const {
  return host_.Platform().TwipsPerPixelY();
}

// A line of the font and the pixel of the line under it.
float CoreDataGrid::RowHeight() const {
  return host_.Platform().TextHeight(font_.get(), "0") + Pixel();
}

int32_t CoreDataGrid::VisibleRowCount() const {
  const float room = node_.height - 2 * Border() - HeaderHeight();
  return std::max(0, static_cast<int32_t>(room / RowHeight()));
}

void CoreDataGrid::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  Resized();
  node_.Show(change::kStyle | change::kContent);
}

void CoreDataGrid::SetColumnHeaders(bool v) {
  if (v == columnHeaders_) return;
  columnHeaders_ = v;
  Resized();
  node_.Show(change::kContent);
}

void CoreDataGrid::SetApproxCount(int32_t n) {
  if (n == approxCount_) return;
  approxCount_ = n;
  topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
  node_.Show(change::kContent);
}

void CoreDataGrid::SetScrollBars(int16_t v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  node_.Show(change::kContent);
}

std::vector<DataGrid::Column>& CoreDataGrid::Columns() {
  LayColumns();
  node_.Show(change::kContent);
  return columns_;
}

void CoreDataGrid::LayColumns() {
  float left = Border();
  for (Column& c : columns_) {
    c.left = left;
    if (c.visible) left += c.width;
  }
}

std::string CoreDataGrid::CellText(const Variant& v) const {
  if (v.IsNull() || v.IsEmpty()) return {};
  try {
    return ToText(v, host_.Locale());
  } catch (const Error&) {
    return {};  // a value with no text form shows empty
  }
}

// What the callback answers is trusted no further than the rows asked for; a row with fewer
// values than columns shows the missing ones empty.
CoreDataGrid::Page CoreDataGrid::Read(const Variant& start, bool backwards, int32_t n) {
  Page page;
  if (n <= 0 || !OnReadRows) return page;
  RowBuffer rows;
  rows.rowCount = n;
  auto read = OnReadRows;  // the handler may replace itself
  read(rows, start, backwards);
  const size_t count = std::min<size_t>(rows.bookmarks.size(), static_cast<size_t>(n));
  page.bookmarks.assign(rows.bookmarks.begin(), rows.bookmarks.begin() + count);
  page.values = std::move(rows.values);
  page.values.resize(count);
  return page;
}

void CoreDataGrid::ShowPage(Page page, int32_t topIndex) {
  bound_ = true;
  shown_ = std::move(page.bookmarks);
  values_ = std::move(page.values);
  texts_.clear();
  texts_.reserve(values_.size());
  for (auto& row : values_) {
    row.resize(columns_.size());
    std::vector<std::string> texts;
    texts.reserve(row.size());
    for (const Variant& v : row) texts.push_back(CellText(v));
    texts_.push_back(std::move(texts));
  }
  topIndex_ = std::clamp(topIndex, 0, MaxTopIndex());
  LayColumns();
  node_.Show(change::kContent | change::kSelection);
}

void CoreDataGrid::ShowFirstPage() {
  ShowPage(Read(Variant(), false, VisibleRowCount()), 0);
}

void CoreDataGrid::ShowLastPage() {
  Page page = Read(Variant(), true, VisibleRowCount());
  std::reverse(page.bookmarks.begin(), page.bookmarks.end());
  std::reverse(page.values.begin(), page.values.end());
  ShowPage(std::move(page), MaxTopIndex());
}

// Rows come only after a start, so the page opens after the row before `top`: one row read
// backwards from it (none when `top` is the first row). Reading rather than asking for the
// bookmark one row back keeps a page right in a list narrowed by a criterion, where the
// recordset's previous record may not belong to the list.
bool CoreDataGrid::ShowPageFrom(const Variant& top, int32_t indexHint) {
  const int32_t n = VisibleRowCount();
  Page before = Read(top, true, 1);
  const bool first = before.bookmarks.empty();
  Page page = Read(first ? Variant() : before.bookmarks.front(), false, n);
  if (page.bookmarks.empty()) return false;
  const bool last = static_cast<int32_t>(page.bookmarks.size()) < n;
  // A page that runs into the end is filled from above, as the last page shows.
  if (last && !first) {
    Page above =
        Read(page.bookmarks.front(), true, n - static_cast<int32_t>(page.bookmarks.size()));
    page.bookmarks.insert(page.bookmarks.begin(), above.bookmarks.rbegin(), above.bookmarks.rend());
    page.values.insert(page.values.begin(), above.values.rbegin(), above.values.rend());
  }
  // Between the ends the thumb stays off them: there are rows above and below.
  const int32_t max = MaxTopIndex();
  const int32_t between = std::min(std::max(indexHint, 1), std::max(1, max - 1));
  ShowPage(std::move(page), first ? 0 : last ? max : between);
  return true;
}

int32_t CoreDataGrid::ScrollRows(int32_t rows) {
  const int32_t n = VisibleRowCount();
  if (rows == 0 || shown_.empty() || n == 0) return 0;
  const bool down = rows > 0;
  if (std::abs(rows) > n) return JumpRows(rows);
  Page in = Read(down ? shown_.back() : shown_.front(), !down, std::abs(rows));
  const int32_t got = static_cast<int32_t>(in.bookmarks.size());
  if (got == 0) {
    // At an end: the thumb goes there too, the estimate being wrong.
    topIndex_ = down ? MaxTopIndex() : 0;
    node_.Show(change::kContent);
    return 0;
  }
  Page page;
  if (down) {
    page.bookmarks.assign(shown_.begin(), shown_.end());
    page.values.assign(values_.begin(), values_.end());
    page.bookmarks.insert(page.bookmarks.end(), in.bookmarks.begin(), in.bookmarks.end());
    page.values.insert(page.values.end(), in.values.begin(), in.values.end());
  } else {
    page.bookmarks.assign(in.bookmarks.rbegin(), in.bookmarks.rend());
    page.values.assign(in.values.rbegin(), in.values.rend());
    page.bookmarks.insert(page.bookmarks.end(), shown_.begin(), shown_.end());
    page.values.insert(page.values.end(), values_.begin(), values_.end());
  }
  const size_t keep = static_cast<size_t>(n);
  int32_t moved = got;
  if (page.bookmarks.size() > keep) {
    const size_t extra = page.bookmarks.size() - keep;
    if (down) {
      page.bookmarks.erase(page.bookmarks.begin(), page.bookmarks.begin() + extra);
      page.values.erase(page.values.begin(), page.values.begin() + extra);
      moved = static_cast<int32_t>(extra);
    } else {
      page.bookmarks.resize(keep);
      page.values.resize(keep);
    }
  } else if (down) {
    moved = 0;  // a short page took the rows in below its last row: the top stays
  }
  int32_t index = topIndex_ + (down ? moved : -moved);
  if (got < std::abs(rows)) index = down ? MaxTopIndex() : 0;
  ShowPage(std::move(page), index);
  return down ? moved : -moved;
}

// More than a page: the new top row by relative bookmark, and only its page read.
int32_t CoreDataGrid::JumpRows(int32_t rows) {
  Variant target = OnRelativeBookmark ? OnRelativeBookmark(shown_.front(), rows) : Variant::Null();
  const Variant oldTop = shown_.front();
  const int32_t oldIndex = topIndex_;
  if (target.IsNull() || target.IsEmpty()) {
    if (rows > 0)
      ShowLastPage();
    else
      ShowFirstPage();
  } else {
    ShowPageFrom(target, oldIndex + rows);
  }
  if (!shown_.empty() && shown_.front() == oldTop) return 0;
  return rows;
}

int32_t CoreDataGrid::MaxTopIndex() const {
  return std::max(0, approxCount_ - VisibleRowCount());
}

void CoreDataGrid::NotifyScroll() {
  if (auto notify = OnScrollNotify) notify();
}

void CoreDataGrid::Rebind() {
  current_ = Variant();
  ShowFirstPage();
  if (!shown_.empty()) current_ = shown_.front();
}

// The rows shown are read again from the same top row; from the first when it went, which a
// recordset may tell by refusing its bookmark (a row deleted meanwhile). A read that fails
// from the first row too raises, and so does a database that failed as a whole.
void CoreDataGrid::RefreshRows() {
  bool shown = false;
  try {
    shown = !shown_.empty() && ShowPageFrom(shown_.front(), topIndex_);
  } catch (const Error& e) {
    if (IsDatabaseFailure(e)) throw;
  }
  if (!shown) ShowFirstPage();
}

void CoreDataGrid::SetBookmark(const Variant& b) {
  current_ = b;
  if (!b.IsEmpty() && !b.IsNull() && std::find(shown_.begin(), shown_.end(), b) == shown_.end())
    ShowPageFrom(b, topIndex_);
  node_.Show(change::kSelection);
}

void CoreDataGrid::SetRow(int16_t row) {
  if (row >= 0 && row < static_cast<int16_t>(shown_.size())) current_ = shown_[row];
  node_.Show(change::kSelection);
}

int16_t CoreDataGrid::VisibleRow() const {
  if (current_.IsEmpty()) return -1;
  auto it = std::find(shown_.begin(), shown_.end(), current_);
  return it == shown_.end() ? -1 : static_cast<int16_t>(it - shown_.begin());
}

int16_t CoreDataGrid::RowAt(float y) const {
  if (y < RowsTop()) return -1;
  const int32_t row = static_cast<int32_t>((y - RowsTop()) / RowHeight());
  return row < static_cast<int32_t>(shown_.size()) ? static_cast<int16_t>(row) : -1;
}

// The grid scrolls by rows only; the current row stays where it is, shown or not.
void CoreDataGrid::Scroll(int16_t /*columns*/, int16_t rows) {
  if (ScrollRows(rows) != 0) NotifyScroll();
}

// A height that shows more rows reads them below the last (above the first at the end);
// one that shows fewer drops them from the bottom.
void CoreDataGrid::Resized() {
  const size_t n = static_cast<size_t>(VisibleRowCount());
  if (!bound_ || n == shown_.size()) return node_.Show(change::kContent);
  if (n < shown_.size()) {
    Page page{{shown_.begin(), shown_.begin() + n}, {values_.begin(), values_.begin() + n}};
    return ShowPage(std::move(page), topIndex_);
  }
  if (shown_.empty()) return ShowFirstPage();
  ShowPageFrom(shown_.front(), topIndex_);
}

}  // namespace orvo
