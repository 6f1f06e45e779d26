// The Qt host's unbound grid.
#include "host/qt/qt_data_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

#include "base/locale_settings.h"
#include "host/qt/qt_conversions.h"

namespace orvo {

QtDataGrid::QtDataGrid(QtHost& host, QtWindow* window, QWidget* qparent)
    : QtWidget(host, window, nullptr, nullptr, QtKind::DataGrid, new QTableWidget(qparent)),
      font_(host.AmbientFont()->Clone()) {
  q_->horizontalHeader()->hide();
  q_->verticalHeader()->hide();
  q_->setSelectionBehavior(QAbstractItemView::SelectRows);
  q_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  q_->setFont(ToQFont(font_.get()));
  host.AlsoRoute(q_->viewport(), &core_);
}

void QtDataGrid::SetFont(FontRef f) {
  font_ = std::move(f);
  q_->setFont(ToQFont(font_.get()));
}

float QtDataGrid::RowHeight() const {
  QFontMetrics fm(ToQFont(font_.get()));
  return static_cast<float>(fm.height() + 1) * kQtTwipsPerPixel;
}

int32_t QtDataGrid::VisibleRowCount() const {
  return std::max(0, static_cast<int32_t>(core_.height / RowHeight()));
}

void QtDataGrid::ReadShownRows() {
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
    Variant start;
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
  ShowRows();
}

void QtDataGrid::ShowRows() {
  std::vector<size_t> visible;  // indexes into columns_ and each row's values
  for (size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].visible) visible.push_back(i);
  q_->clear();
  q_->setRowCount(static_cast<int>(values_.size()));
  q_->setColumnCount(static_cast<int>(visible.size()));
  int rowPixels = static_cast<int>(RowHeight() / kQtTwipsPerPixel);
  LocaleSettings loc = host_.Locale();
  for (size_t r = 0; r < values_.size(); ++r) {
    q_->setRowHeight(static_cast<int>(r), rowPixels);
    for (size_t c = 0; c < visible.size(); ++c) {
      if (visible[c] >= values_[r].size()) continue;
      const Variant& v = values_[r][visible[c]];
      std::string text;
      try {
        text = v.IsNull() ? "" : ToText(v, loc);
      } catch (const Error&) {
        // A value with no text form shows empty.
      }
      q_->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(FromLatin1(text)));
    }
  }
  for (size_t c = 0; c < visible.size(); ++c)
    if (columns_[visible[c]].width > 0)
      q_->setColumnWidth(static_cast<int>(c), ToPixels(columns_[visible[c]].width));
  q_->selectRow(VisibleRow());
}

void QtDataGrid::Rebind() {
  top_ = Variant();
  current_ = Variant();
  ReadShownRows();
}

void QtDataGrid::SetBookmark(const Variant& b) {
  current_ = b;
  if (std::find(shown_.begin(), shown_.end(), b) == shown_.end()) {
    top_ = b;
    ReadShownRows();
    current_ = b;
  }
  q_->selectRow(VisibleRow());
}

void QtDataGrid::SetRow(int16_t row) {
  if (row >= 0 && row < static_cast<int16_t>(shown_.size())) current_ = shown_[row];
  q_->selectRow(VisibleRow());
}

int16_t QtDataGrid::VisibleRow() const {
  auto it = std::find(shown_.begin(), shown_.end(), current_);
  return it == shown_.end() ? 0 : static_cast<int16_t>(it - shown_.begin());
}

int16_t QtDataGrid::RowAt(float y) const {
  int32_t row = static_cast<int32_t>(y / RowHeight());
  return row >= 0 && row < static_cast<int32_t>(shown_.size()) ? static_cast<int16_t>(row) : -1;
}

void QtDataGrid::Scroll(int16_t, int16_t rows) {
  if (rows == 0 || top_.IsEmpty() || !OnRelativeBookmark) return;
  Variant target = OnRelativeBookmark(top_, rows);
  if (target.IsNull() || target.IsEmpty()) return;
  top_ = target;
  ReadShownRows();
  if (auto notify = OnScrollNotify) notify();
}

void QtDataGrid::NativeKeyDown(int16_t keyCode) {
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

void QtDataGrid::NativeChar(int16_t keyAscii) {
  if (keyAscii < 32) return;
  lastKey_ = keyAscii;
  int16_t cancel = 0;
  if (auto before = OnBeforeColEdit) before(cancel);
}

}  // namespace orvo
