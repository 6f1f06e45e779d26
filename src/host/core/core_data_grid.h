// CoreDataGrid: an unbound grid that reads its shown rows through its callbacks.
//
// A first cut: one row height (a line of its font plus a pixel), rows read from the top
// row on Rebind, RefreshRows, Scroll and SetBookmark; Up and Down move the current row.
#pragma once

#include <string>
#include <vector>

#include "host/core/widget_node.h"
#include "platform/popup_widgets.h"

namespace orvo {

class CoreDataGrid : public CoreWidget<DataGrid> {
 public:
  CoreDataGrid(CoreHost& host, CoreWindow* window);

  std::vector<Column>& Columns() override { return columns_; }
  Variant Bookmark() const override { return current_; }
  void SetBookmark(const Variant& b) override;
  void SetRow(int16_t row) override;
  int16_t VisibleRow() const override;
  int16_t RowAt(float y) const override;
  int32_t ApproxCount() const override { return approxCount_; }
  void SetApproxCount(int32_t n) override { approxCount_ = n; }
  void Scroll(int16_t columns, int16_t rows) override;
  void Rebind() override;
  void RefreshRows() override { ReadShownRows(); }
  int16_t ScrollBars() const override { return scrollBars_; }
  void SetScrollBars(int16_t v) override { scrollBars_ = v; }
  int16_t MarqueeStyle() const override { return marqueeStyle_; }
  void SetMarqueeStyle(int16_t v) override { marqueeStyle_ = v; }
  FontRef Font() const override { return font_; }
  void SetFont(FontRef f) override { Set(font_, std::move(f), change::kStyle); }
  const std::vector<Variant>& ShownBookmarks() const override { return shown_; }
  int16_t LastKey() const override { return lastKey_; }

  // The values of the shown rows, as last read.
  const std::vector<std::vector<Variant>>& ShownValues() const { return values_; }
  float RowHeight() const;
  int32_t VisibleRowCount() const;
  void NativeKeyDown(int16_t keyCode, int16_t shift) override;
  void NativeChar(int16_t keyAscii) override;
  void NativePress(float y) override;

 private:
  void ReadShownRows();

  std::vector<Column> columns_;
  Variant top_;  // bookmark of the first shown row; Empty: from the first row
  Variant current_;
  std::vector<Variant> shown_;
  std::vector<std::vector<Variant>> values_;
  int32_t approxCount_ = 0;
  int16_t scrollBars_ = 4;
  int16_t marqueeStyle_ = 0;
  int16_t lastKey_ = 0;
  FontRef font_;
};

}  // namespace orvo
