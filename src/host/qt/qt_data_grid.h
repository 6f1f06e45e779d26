// QtDataGrid: the unbound grid on a QTableWidget; rows are read through its callbacks as in
// the headless grid (a first cut: one row height, the top row kept on refresh).
#pragma once

#include <QTableWidget>
#include <vector>

#include "platform/popup_widgets.h"
#include "host/qt/qt_widget.h"

namespace orvo {

class QtDataGrid : public QtWidget<DataGrid, QTableWidget> {
 public:
  QtDataGrid(QtHost& host, QtWindow* window, QWidget* qparent);

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
  void SetFont(FontRef f) override;
  const std::vector<Variant>& ShownBookmarks() const override { return shown_; }
  int16_t LastKey() const override { return lastKey_; }

  float RowHeight() const;
  int32_t VisibleRowCount() const;
  void NativeKeyDown(int16_t keyCode);
  void NativeChar(int16_t keyAscii);

 private:
  void ReadShownRows();
  void ShowRows();

  std::vector<Column> columns_;
  Variant top_;
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
