// The widgets of the popup forms: the top-level form with its drawing, and the unbound grid.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/variant.h"
#include "platform/widgets.h"

namespace orvo {

// A data grid in unbound mode: it holds no rows and asks for them through callbacks,
// identifying rows by bookmarks.
class DataGrid : public Widget {
 public:
  struct Column {
    std::string caption;
    bool visible = true;
    float width = 0;  // twips
    float left = 0;
  };
  // A block of rows the grid asked for: values per column, and each row's bookmark.
  struct RowBuffer {
    int32_t rowCount = 0;  // rows wanted
    std::vector<std::vector<Variant>> values;
    std::vector<Variant> bookmarks;
  };

  virtual std::vector<Column>& Columns() = 0;
  virtual Variant Bookmark() const = 0;  // the current row's bookmark; Empty when none
  virtual void SetBookmark(const Variant& b) = 0;
  virtual void SetRow(int16_t row) = 0;
  virtual int16_t VisibleRow() const = 0;    // index of the current row among shown rows
  virtual int16_t RowAt(float y) const = 0;  // -1 when no data row is there
  virtual int32_t ApproxCount() const = 0;   // the record-count property
  virtual void SetApproxCount(int32_t n) = 0;
  virtual void Scroll(int16_t columns, int16_t rows) = 0;
  virtual void Rebind() = 0;
  virtual void RefreshRows() = 0;
  virtual int16_t ScrollBars() const = 0;  // 0 none ... 4 automatic
  virtual void SetScrollBars(int16_t v) = 0;
  virtual int16_t MarqueeStyle() const = 0;  // 3 = whole-row highlight
  virtual void SetMarqueeStyle(int16_t v) = 0;
  // A header row with the columns' captions above the rows (off until set).
  virtual bool ColumnHeaders() const = 0;
  virtual void SetColumnHeaders(bool v) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  // The rows currently shown, as the grid last read them (first shown row first).
  virtual const std::vector<Variant>& ShownBookmarks() const = 0;

  // Unbound callbacks: fill `rows` starting after `start` (Empty: from an end), backwards
  // when `backwards`; and the bookmark `offset` rows from `start` (Null when none).
  std::function<void(RowBuffer& rows, const Variant& start, bool backwards)> OnReadRows;
  std::function<Variant(const Variant& start, int32_t offset)> OnRelativeBookmark;
  std::function<void(int16_t& cancel)> OnBeforeColEdit;  // with the typed key in LastKey()
  std::function<void(int16_t column)> OnColResize;
  Notify OnScrollNotify;
  Notify OnPostEvent;  // the grid's argument-less notification
  virtual int16_t LastKey() const = 0;
};

// A top-level popup window the library builds its popups from: a drawing surface (pixels
// when ScaleModePixels, else twips) with child widgets.
class PopupForm : public Widget {
 public:
  virtual void Show(bool modal) = 0;
  virtual void Hide() = 0;
  virtual void Unload() = 0;  // hides and forgets its drawing; the object lives on
  virtual bool Loaded() const = 0;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  virtual void SetScaleModePixels(bool pixels) = 0;
  virtual void SetAutoRedraw(bool v) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual void SetFontBold(bool bold) = 0;
  virtual Color BackColor() const = 0;
  virtual void Line(float x1, float y1, float x2, float y2, Color color) = 0;
  virtual void FillRect(float x1, float y1, float x2, float y2, Color color) = 0;
  virtual void Print(float x, float y, const std::string& text, Color color) = 0;
  virtual float TextWidth(const std::string& text) const = 0;
  virtual float TextHeight(const std::string& text) const = 0;
  virtual void Cls() = 0;

  virtual std::unique_ptr<ListBox> CreateListBox() = 0;
  virtual std::unique_ptr<DataGrid> CreateDataGrid() = 0;
  virtual std::unique_ptr<TextBox> CreateTextBox() = 0;
  virtual std::unique_ptr<Label> CreateLabel() = 0;
  virtual std::unique_ptr<CommandButton> CreateButton(const std::string& caption) = 0;

  Notify OnLoad, OnActivate, OnPaint, OnResize, OnUnload;
};

}  // namespace orvo
