// CoreDataGrid: the host model's unbound grid. It holds only the rows it shows, read
// through its callbacks, never the table behind them.
//
// - A 1-pixel border; inside it an optional header row (ColumnHeaders), then rows a line
//   of the grid's font plus a pixel high, as many whole ones as the height holds. Columns
//   stand side by side from the left border, hidden ones taking no room; a column's Left
//   and Width are twips in the grid, border included.
// - Scrolling reads only the rows that come into view: forwards after the last shown row,
//   backwards before the first; the last page is read backwards from the end. A bookmark
//   set that is not shown becomes the top row (a page that runs into the end is filled from
//   above). Scroll, the wheel (3 rows a notch) and the bar (an arrow a row, the trough a
//   page) leave the current row as it is; keys move it. OnScrollNotify follows every change
//   of the top row that input or Scroll makes.
// - The vertical bar's range follows ApproxCount, an estimate: the thumb is approximate,
//   the rows are exact. A thumb dragged to a fraction f puts about f x (ApproxCount less a
//   page) rows above the top row, reached by relative bookmark from the first row.
// - ScrollBars 0 and 1 show no vertical bar (the grid does not scroll sideways), 2 and 3
//   always show it, 4 when ApproxCount is above the visible rows.
// - Input in the classic grid's order: OnKeyDown first (a handler that zeroes the key keeps
//   the grid still), then the grid's navigation; a typed character goes to OnBeforeColEdit
//   and is never edited in; a press raises OnMouseDown, then the grid makes the row there
//   current, or starts dragging a divider when the press lies within 7 pixels of a visible
//   column's right edge; the release after such a drag raises OnColResize. Both hosts'
//   input (injected clicks, presses and wheel; Qt's real events) ends in the Native*
//   members below.
#pragma once

#include <string>
#include <vector>

#include "host/core/core_host.h"
#include "host/core/core_popup_form.h"
#include "host/core/widget_node.h"
#include "platform/popup_widgets.h"

namespace orvo {

// The vertical scroll bar as the grid lays it out (twips in the grid).
struct GridScrollBar {
  bool shown = false;
  float left = 0, top = 0, width = 0, height = 0;
  float arrow = 0;  // each arrow button's length, at the top and at the bottom
  float thumbTop = 0, thumbLength = 0;
  int32_t max = 0;    // the thumb's range is 0..max: rows above the top row, estimated
  int32_t value = 0;  // where the thumb stands
  int32_t page = 1;   // the rows a page holds
};

// What the grid shows, as data: fills, then lines, then texts (a text's x2 is the right edge
// of its cell, where it is clipped), and the scroll bar.
struct GridDrawing {
  std::vector<PopupDrawOp> ops;
  GridScrollBar bar;
};

class CoreDataGrid : public CoreWidget<DataGrid> {
 public:
  static constexpr int32_t kWheelRows = 3;

  CoreDataGrid(CoreHost& host, CoreWindow* window);

  // DataGrid.
  // The library changes the columns through this reference when it likes: their places are
  // laid out again on every access, and the grid is painted again after.
  std::vector<Column>& Columns() override;
  Variant Bookmark() const override { return current_; }
  void SetBookmark(const Variant& b) override;
  void SetRow(int16_t row) override;
  int16_t VisibleRow() const override;  // -1 when the current row is not shown
  int16_t RowAt(float y) const override;
  int32_t ApproxCount() const override { return approxCount_; }
  void SetApproxCount(int32_t n) override;
  void Scroll(int16_t columns, int16_t rows) override;
  void Rebind() override;
  void RefreshRows() override;
  int16_t ScrollBars() const override { return scrollBars_; }
  void SetScrollBars(int16_t v) override;
  int16_t MarqueeStyle() const override { return marqueeStyle_; }
  void SetMarqueeStyle(int16_t v) override { Set(marqueeStyle_, v, change::kSelection); }
  bool ColumnHeaders() const override { return columnHeaders_; }
  void SetColumnHeaders(bool v) override;
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override;
  const std::vector<Variant>& ShownBookmarks() const override { return shown_; }
  int16_t LastKey() const override { return lastKey_; }

  // The shown rows' values as read, and their cells' texts as shown (numbers and dates by
  // the host's locale, Null empty), by column of Columns().
  const std::vector<std::vector<Variant>>& ShownValues() const { return values_; }
  const std::vector<std::vector<std::string>>& ShownTexts() const { return texts_; }
  float RowHeight() const;
  float HeaderHeight() const { return columnHeaders_ ? RowHeight() : 0; }
  float RowsTop() const { return Border() + HeaderHeight(); }
  // One pixel of the screen, in twips (the screen's pixels are square). The grid's frame,
  // lines, margins and bar are whole pixels, so they stay sharp at any dots per inch.
  float Pixel() const;
  float Border() const { return Pixel(); }
  float BarWidth() const { return 15 * Pixel(); }
  float DividerZone() const { return 7 * Pixel(); }
  int32_t VisibleRowCount() const;
  GridScrollBar Bar() const;
  GridDrawing Drawing() const;
  // The visible column whose right edge lies within the divider zone of x; -1 for none.
  int16_t DividerAt(float x, float y) const;
  bool DraggingDivider() const { return divider_.column >= 0; }
  // The scroll bar part at (x, y), if the bar is shown and the point on an arrow or the
  // trough; the thumb is none of these.
  std::optional<ScrollPart> BarPartAt(float x, float y) const;

  // The grid's own handling of input, after the notifications (every host calls these).
  void NativeKeyDown(int16_t keyCode, int16_t shift) override;
  void NativeChar(int16_t keyAscii) override;
  // A drag (of a divider or the thumb) follows the moves and ends on the release.
  void NativeMouse(int kind, int16_t button, float x, float y) override;
  bool NativeWheel(int notches) override;
  // The scroll bar: an arrow or the trough clicked; the thumb dragged to a fraction of its
  // range (0 the first row on top, 1 the last page).
  void BarStep(ScrollPart part);
  void ThumbTo(double fraction);

 protected:
  void Resized() override;

 private:
  struct Page {
    std::vector<Variant> bookmarks;
    std::vector<std::vector<Variant>> values;
  };
  // Up to n rows after `start` (Empty: from an end), in reading order.
  Page Read(const Variant& start, bool backwards, int32_t n);
  void ShowPage(Page page, int32_t topIndex);
  void ShowFirstPage();
  void ShowLastPage();
  // Reads the page whose top row is `top`, with about `indexHint` rows above it; false
  // when no row is there.
  bool ShowPageFrom(const Variant& top, int32_t indexHint);
  // Moves the top row by `rows` (negative: up), reading only the rows that come into view;
  // the rows it moved.
  int32_t ScrollRows(int32_t rows);
  int32_t JumpRows(int32_t rows);
  int32_t MaxTopIndex() const;
  bool BarShown() const;
  float DataRight() const;
  void LayColumns();
  void MoveCurrent(int32_t rows);
  void NotifyScroll();
  std::string CellText(const Variant& v) const;

  std::vector<Column> columns_;
  std::vector<Variant> shown_;
  std::vector<std::vector<Variant>> values_;
  std::vector<std::vector<std::string>> texts_;
  Variant current_;
  bool bound_ = false;    // rows were asked for: a resize reads the rows it brings in
  int32_t topIndex_ = 0;  // rows above the top row, as far as the grid can tell
  int32_t approxCount_ = 0;
  int16_t scrollBars_ = 4;
  int16_t marqueeStyle_ = 6;
  bool columnHeaders_ = false;
  int16_t lastKey_ = 0;
  FontRef font_;
  // A divider being dragged: the column, where the press was and the width it had.
  struct DividerDrag {
    int16_t column = -1;
    float startX = 0, startWidth = 0;
  } divider_;
  // The thumb being dragged: the distance from the press to the thumb's top (-1: none).
  float thumbGrip_ = -1;
};

}  // namespace orvo
