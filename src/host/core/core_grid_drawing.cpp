// What the grid shows, laid out as data: its cells, lines, highlight and scroll bar, and
// which part of it lies under a point.
#include <algorithm>
#include <cmath>

#include "host/core/core_data_grid.h"

namespace orvo {

namespace {

constexpr Color kGridLines = kSysButtonShadow;

}  // namespace

bool CoreDataGrid::BarShown() const {
  switch (scrollBars_) {
    case 2:
    case 3:
      return true;
    case 4:
      return approxCount_ > VisibleRowCount();
    default:
      return false;
  }
}

float CoreDataGrid::DataRight() const {
  return node_.width - Border() - (BarShown() ? BarWidth() : 0);
}

GridScrollBar CoreDataGrid::Bar() const {
  GridScrollBar bar;
  bar.shown = BarShown();
  bar.width = BarWidth();
  bar.left = node_.width - Border() - BarWidth();
  bar.top = Border();
  bar.height = std::max(0.0f, node_.height - 2 * Border());
  bar.arrow = std::min(BarWidth(), bar.height / 2);
  bar.page = std::max(1, VisibleRowCount());
  bar.max = MaxTopIndex();
  bar.value = std::clamp(topIndex_, 0, bar.max);
  // The thumb is as long as a page is of the estimated rows, placed by its estimated value.
  const float trough = std::max(0.0f, bar.height - 2 * bar.arrow);
  const double total = static_cast<double>(bar.max) + bar.page;
  bar.thumbLength =
      std::min(trough, std::max(8 * Pixel(), static_cast<float>(trough * bar.page / total)));
  const float travel = trough - bar.thumbLength;
  bar.thumbTop =
      bar.top + bar.arrow + (bar.max > 0 ? static_cast<float>(travel * bar.value / bar.max) : 0.0f);
  return bar;
}

int16_t CoreDataGrid::DividerAt(float x, float y) const {
  if (y < Border() || y >= node_.height - Border() || x >= DataRight()) return -1;
  float left = Border();
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (!columns_[i].visible) continue;
    left += columns_[i].width;
    if (std::abs(x - left) < DividerZone()) return static_cast<int16_t>(i);
  }
  return -1;
}

std::optional<ScrollPart> CoreDataGrid::BarPartAt(float x, float y) const {
  const GridScrollBar bar = Bar();
  if (!bar.shown || x < bar.left || x >= bar.left + bar.width || y < bar.top ||
      y >= bar.top + bar.height)
    return std::nullopt;
  if (y < bar.top + bar.arrow) return ScrollPart::ArrowMin;
  if (y >= bar.top + bar.height - bar.arrow) return ScrollPart::ArrowMax;
  if (y < bar.thumbTop) return ScrollPart::PageMin;
  if (y >= bar.thumbTop + bar.thumbLength) return ScrollPart::PageMax;
  return std::nullopt;
}

// Fills first (ground, header, highlight), then the grid lines, then the texts: a painter
// changes its pen seldom. The marquee: 3 and 4 highlight the whole current row, 2 its first
// cell; 0 (dotted), 1 and 6 outline that cell; 5 shows nothing.
GridDrawing CoreDataGrid::Drawing() const {
  GridDrawing d;
  d.bar = Bar();
  const float right = DataRight();
  const float bottom = node_.height - Border();
  const float rowHeight = RowHeight();
  auto fill = [&](float x1, float y1, float x2, float y2, Color c) {
    d.ops.push_back({PopupDrawOp::kFill, x1, y1, x2, y2, c, {}, nullptr});
  };
  auto line = [&](float x1, float y1, float x2, float y2, Color c) {
    d.ops.push_back({PopupDrawOp::kLine, x1, y1, x2, y2, c, {}, nullptr});
  };
  auto text = [&](float x1, float y1, float x2, const std::string& s, Color c) {
    if (!s.empty() && x1 < x2)
      d.ops.push_back({PopupDrawOp::kText, x1, y1, x2, y1 + rowHeight, c, s, font_});
  };
  // The visible columns: their place, clipped to the data area.
  struct Cell {
    size_t column;
    float left, right;
    bool whole;  // not cut by the data area's edge
  };
  std::vector<Cell> cells;
  float left = Border();
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (!columns_[i].visible) continue;
    const float end = left + columns_[i].width;
    if (left < right) cells.push_back({i, left, std::min(right, end), end <= right});
    left += columns_[i].width;
  }
  const int16_t current = VisibleRow();
  fill(0, 0, node_.width, node_.height, kSysWindowBackground);
  if (columnHeaders_) fill(Border(), Border(), right, RowsTop(), kSysButtonFace);
  auto rowTop = [&](size_t r) { return RowsTop() + static_cast<float>(r) * rowHeight; };
  const bool wholeRow = marqueeStyle_ == 3 || marqueeStyle_ == 4;
  const bool cellFill = marqueeStyle_ == 2 && !cells.empty();
  if (current >= 0 && (wholeRow || cellFill)) {
    const float x2 = wholeRow ? std::min(right, left) : cells.front().right;
    fill(Border(), rowTop(current), x2, rowTop(current) + rowHeight - Pixel(), kSysHighlight);
  }
  // Grid lines: under each row and at each column's right edge, on their last pixel.
  const float linesBottom = std::min(bottom, rowTop(shown_.size()));
  for (size_t r = 0; r < shown_.size(); ++r)
    line(Border(), rowTop(r + 1) - Pixel(), std::min(right, left) - Pixel(),
         rowTop(r + 1) - Pixel(), kGridLines);
  for (const Cell& c : cells)
    if (c.whole)
      line(c.right - Pixel(), Border(), c.right - Pixel(), linesBottom - Pixel(), kGridLines);
  if (columnHeaders_)
    line(Border(), RowsTop() - Pixel(), right - Pixel(), RowsTop() - Pixel(), kGridLines);
  // The cell outline of the other marquee styles.
  if (current >= 0 && !cells.empty() &&
      (marqueeStyle_ == 0 || marqueeStyle_ == 1 || marqueeStyle_ == 6)) {
    const Color c = marqueeStyle_ == 0 ? kSysButtonShadow : kSysWindowText;
    const float x1 = cells.front().left, x2 = cells.front().right - Pixel();
    const float y1 = rowTop(current), y2 = rowTop(current) + rowHeight - Pixel();
    line(x1, y1, x2, y1, c);
    line(x2, y1, x2, y2, c);
    line(x2, y2, x1, y2, c);
    line(x1, y2, x1, y1, c);
  }
  // The border.
  const float w = node_.width - Pixel(), h = node_.height - Pixel();
  line(0, 0, w, 0, kSys3DDarkShadow);
  line(w, 0, w, h, kSys3DDarkShadow);
  line(w, h, 0, h, kSys3DDarkShadow);
  line(0, h, 0, 0, kSys3DDarkShadow);
  if (columnHeaders_)
    for (const Cell& c : cells)
      text(c.left + 2 * Pixel(), Border(), c.right - Pixel(), columns_[c.column].caption,
           kSysButtonText);
  for (size_t r = 0; r < texts_.size() && rowTop(r) < bottom; ++r) {
    const Color color = current == static_cast<int16_t>(r) && (wholeRow || cellFill)
                            ? kSysHighlightText
                            : kSysWindowText;
    for (const Cell& c : cells) {
      if (c.column >= texts_[r].size()) continue;
      const bool lit = current == static_cast<int16_t>(r) &&
                       (wholeRow || (cellFill && c.column == cells.front().column));
      text(c.left + 2 * Pixel(), rowTop(r), c.right - Pixel(), texts_[r][c.column],
           lit ? color : kSysWindowText);
    }
  }
  return d;
}

}  // namespace orvo
