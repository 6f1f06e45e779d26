// The host model's unbound grid, through the headless host's input: which rows it reads and
// shows, its navigation, mouse, wheel and scroll bar, and the drawing it leaves as data.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "host/core/core_data_grid.h"
#include "host/headless/headless_host.h"
#include "rows_feeder.h"

namespace orvo::testing {
namespace {

constexpr int32_t kShown = 5;

class DataGridTest : public ::testing::Test {
 protected:
  void Open(int32_t rows, int32_t approx = -1) {
    feeder = std::make_unique<RowsFeeder>(rows);
    popup = host.Services().CreatePopupForm();
    grid.reset(static_cast<CoreDataGrid*>(popup->CreateDataGrid().release()));
    grid->Columns() = {{"Codigo", true, 900, 0},
                       {"Chave", false, 600, 0},
                       {"Nome", true, 1800, 0},
                       {"Valor", true, 900, 0}};
    feeder->Feed(*grid);
    rowHeight = grid->RowHeight();
    const float height = kShown * rowHeight + 2 * grid->Border();
    popup->Move(0, 0, 4000, height);
    grid->Move(0, 0, 4000, height);
    grid->SetApproxCount(approx < 0 ? rows : approx);
    grid->OnScrollNotify = [this] { ++scrolls; };
    grid->Rebind();
    popup->Show(false);
    feeder->reads = feeder->relatives = 0;
    feeder->rowsRead = 0;
  }
  int32_t Top() const { return grid->ShownBookmarks().front().AsLong(); }
  int32_t Current() const { return grid->Bookmark().AsLong(); }
  float RowY(int row) const { return grid->RowsTop() + (row + 0.5f) * rowHeight; }

  HeadlessHost host;
  std::unique_ptr<RowsFeeder> feeder;
  std::unique_ptr<PopupForm> popup;
  std::unique_ptr<CoreDataGrid> grid;
  float rowHeight = 0;
  int scrolls = 0;
};

// A key, then the top row, the current row and whether the grid raised its scroll
// notification, over 20 rows shown 5 at a time.
struct KeyStep {
  const char* key;
  int32_t top, current;
  bool scrolled;
};

TEST_F(DataGridTest, KeysMoveTheCurrentRowAndScrollAtTheEdges) {
  Open(20);
  ASSERT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{1, 2, 3, 4, 5}));
  const KeyStep steps[] = {
      {"Up", 1, 1, false},         {"Down", 1, 2, false},      {"Down", 1, 3, false},
      {"Down", 1, 4, false},       {"Down", 1, 5, false},      {"Down", 2, 6, true},
      {"PageDown", 7, 11, true},   {"PageUp", 2, 6, true},     {"PageUp", 1, 1, true},
      {"PageUp", 1, 1, false},     {"Ctrl+End", 16, 20, true}, {"Down", 16, 20, false},
      {"PageDown", 16, 20, false}, {"Up", 16, 19, false},      {"PageUp", 11, 14, true},
      {"Ctrl+Home", 1, 1, true},   {"End", 16, 20, true},      {"Home", 1, 1, true},
      {"Right", 1, 1, false},      {"Enter", 1, 1, false},
  };
  for (const KeyStep& s : steps) {
    scrolls = 0;
    host.Key(s.key);
    EXPECT_EQ(Top(), s.top) << s.key;
    EXPECT_EQ(Current(), s.current) << s.key;
    EXPECT_EQ(scrolls > 0, s.scrolled) << s.key;
    EXPECT_EQ(grid->ShownBookmarks().size(), size_t{kShown}) << s.key;
  }
}

// The owner sees a key first and may keep the grid from acting on it; a typed character
// goes to the before-edit notification and is never typed into a cell.
TEST_F(DataGridTest, OwnerSeesKeysFirstAndTypedCharactersAreNeverEdited) {
  Open(20);
  std::vector<int16_t> downs, typed;
  bool zero = true;
  grid->OnKeyDown = [&](int16_t& key, int16_t&) {
    downs.push_back(key);
    if (zero) key = 0;
  };
  grid->OnBeforeColEdit = [&](int16_t& cancel) {
    typed.push_back(grid->LastKey());
    cancel = 1;
  };
  host.Key("Down");
  EXPECT_EQ(Current(), 1);
  zero = false;
  host.Key("Down");
  EXPECT_EQ(Current(), 2);
  host.Type("ab");
  EXPECT_EQ(typed, (std::vector<int16_t>{'a', 'b'}));
  EXPECT_EQ(grid->ShownTexts()[1][2], "Nome 2");
  EXPECT_EQ(downs, (std::vector<int16_t>{40, 40, 'A', 'B'}));
}

// However far the user goes in a million rows, the grid reads about a page per move.
TEST_F(DataGridTest, ReadsOnlyTheRowsItShowsOfAMillion) {
  Open(1'000'000);
  host.Key("Ctrl+End");
  EXPECT_EQ(grid->ShownBookmarks(),
            (std::vector<Variant>{999'996, 999'997, 999'998, 999'999, 1'000'000}));
  EXPECT_EQ(grid->Bar().value, grid->Bar().max);
  host.Key("PageUp");
  host.Key("Up");
  grid->ThumbTo(0.5);
  EXPECT_NEAR(Top(), 500'000, 2);
  EXPECT_EQ(grid->ShownBookmarks().size(), size_t{kShown});
  host.Wheel(*grid, -1);
  EXPECT_NEAR(Top(), 500'002, 2);
  grid->SetBookmark(Variant(123'456));
  EXPECT_EQ(Top(), 123'456);
  EXPECT_LE(feeder->reads, 12);
  EXPECT_LE(feeder->relatives, 1);
  EXPECT_LE(feeder->rowsRead, 6 * kShown);
}

// In a list narrowed by a criterion the row before a bookmarked one may not be in the list:
// the page still opens on the row asked for, and scrolling skips what the list leaves out.
TEST_F(DataGridTest, PagesOpenOnTheRowAskedForInANarrowedList) {
  Open(40);
  feeder->skip = [](int32_t r) { return r % 2 == 1; };
  grid->SetBookmark(Variant(12));
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{12, 14, 16, 18, 20}));
  EXPECT_EQ(grid->VisibleRow(), 0);
  host.Key("Up");
  EXPECT_EQ(Top(), 10);
  grid->SetBookmark(Variant(38));  // near the end: the page is filled from above
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{32, 34, 36, 38, 40}));
  EXPECT_EQ(grid->VisibleRow(), 3);
}

TEST_F(DataGridTest, MousePressRaisesDownThenMakesTheRowCurrent) {
  Open(20);
  std::vector<std::string> log;
  grid->OnMouseDown = [&](int16_t& button, int16_t&, float&, float& y) {
    log.push_back("down " + std::to_string(button) + " row " + std::to_string(grid->RowAt(y)) +
                  " current " + std::to_string(Current()));
  };
  grid->OnMouseUp = [&](int16_t&, int16_t&, float&, float&) {
    log.push_back("up current " + std::to_string(Current()));
  };
  host.Click(*grid, 300, RowY(3));
  EXPECT_EQ(log, (std::vector<std::string>{"down 1 row 3 current 1", "up current 4"}));
  EXPECT_EQ(grid->VisibleRow(), 3);
  host.Click(*grid, 300, grid->Height() - 5);  // below the last whole row: no row there
  EXPECT_EQ(grid->VisibleRow(), 3);
}

// A press near a shown column's right edge drags it (hidden columns have none); the column
// is resized as the pointer moves, the rows do not change, and the release reports it.
TEST_F(DataGridTest, DividerDragResizesTheColumnAndReportsOnRelease) {
  Open(20);
  std::vector<int16_t> resized;
  grid->OnColResize = [&](int16_t column) { resized.push_back(column); };
  const float edge = grid->Border() + 900 + 1800;  // Nome's right edge
  host.Press(*grid, edge + 6 * 15, RowY(2));
  host.MovePressed(edge + 26 * 15, RowY(2));
  EXPECT_EQ(grid->Columns()[2].width, 1800 + 300);
  EXPECT_TRUE(resized.empty());
  host.MovePressed(edge + 36 * 15, RowY(2));
  host.Release(true);
  EXPECT_EQ(resized, std::vector<int16_t>{2});
  EXPECT_EQ(grid->Columns()[2].width, 1800 + 450);
  EXPECT_EQ(grid->Columns()[3].left, grid->Border() + 900 + 2250);
  EXPECT_EQ(Current(), 1);
  host.Click(*grid, edge + 450 + 7 * 15, RowY(2));  // just outside the zone: a row click
  EXPECT_EQ(Current(), 3);
  EXPECT_EQ(resized.size(), 1u);
  host.Press(*grid, grid->Border() + 900, RowY(0));
  host.MovePressed(0, RowY(0));  // a column is never dragged to nothing
  host.Release(true);
  EXPECT_GT(grid->Columns()[0].width, 0);
}

// The wheel and the bar scroll the rows and leave the current row where it is: scrolled out
// of sight it has no visible row, and the next key brings it back.
TEST_F(DataGridTest, WheelAndBarScrollWithoutMovingTheCurrentRow) {
  Open(20);
  host.Wheel(*grid, -1);
  EXPECT_EQ(Top(), 4);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(grid->VisibleRow(), -1);
  host.Wheel(*grid, 1);
  EXPECT_EQ(Top(), 1);
  host.Wheel(*grid, 1);  // at the top: nothing moves, nothing is raised
  EXPECT_EQ(scrolls, 2);
  auto clickBar = [&](float y) { host.Click(*grid, grid->Bar().left + 100, y); };
  const GridScrollBar bar = grid->Bar();
  clickBar(bar.top + bar.height - 30);  // the down arrow
  EXPECT_EQ(Top(), 2);
  clickBar(bar.top + bar.height - bar.arrow - 30);  // the trough below the thumb
  EXPECT_EQ(Top(), 7);
  EXPECT_EQ(Current(), 1);
  host.Key("Down");
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(grid->VisibleRow(), 1);
}

// The bar's range follows the estimated count; the thumb goes where the rows are, and a
// thumb dragged to the end shows a full last page even when the estimate is too high.
TEST_F(DataGridTest, ThumbFollowsTheEstimateAndTheLastPageStaysFull) {
  Open(1001);
  EXPECT_TRUE(grid->Bar().shown);
  EXPECT_EQ(grid->Bar().max, 1001 - kShown);
  grid->ThumbTo(0.5);
  EXPECT_EQ(Top(), 499);  // 498 rows above it
  EXPECT_EQ(grid->Bar().value, 498);
  const GridScrollBar bar = grid->Bar();
  // The thumb dragged with the mouse: from its middle to the trough's end.
  host.Press(*grid, bar.left + 100, bar.thumbTop + bar.thumbLength / 2);
  host.MovePressed(bar.left + 100, bar.top + bar.height);
  host.Release(true);
  EXPECT_EQ(grid->ShownBookmarks().back(), Variant(1001));

  Open(20, 100);
  grid->ThumbTo(0.9);
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{16, 17, 18, 19, 20}));
  grid->SetApproxCount(3);
  EXPECT_FALSE(grid->Bar().shown);  // automatic: no more rows than shown
  grid->SetScrollBars(2);
  EXPECT_TRUE(grid->Bar().shown);
  grid->SetScrollBars(0);
  EXPECT_FALSE(grid->Bar().shown);
}

// Height decides the rows: a taller grid reads the rows that come into view, a shorter one
// drops them; a refresh reads the same rows again from the same top, or from the first when
// that row went.
TEST_F(DataGridTest, ResizeAndRefreshReadTheRowsTheyShow) {
  Open(20);
  host.Key("PageDown");
  grid->Move(0, 0, 4000, 7 * rowHeight + 2 * grid->Border());
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{6, 7, 8, 9, 10, 11, 12}));
  grid->Move(0, 0, 4000, 2 * rowHeight + 2 * grid->Border());
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{6, 7}));
  grid->SetColumnHeaders(true);
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{6}));
  EXPECT_EQ(grid->RowAt(grid->RowsTop() - 15), -1);  // the header is no row
  EXPECT_EQ(grid->RowAt(grid->RowsTop()), 0);
  feeder->reads = 0;
  grid->RefreshRows();
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{6}));
  EXPECT_LE(feeder->reads, 2);
  // The top row deleted meanwhile: its bookmark is refused, and the rows come from the first.
  auto read = grid->OnReadRows;
  grid->OnReadRows = [read](DataGrid::RowBuffer& rows, const Variant& start, bool backwards) {
    if (start == Variant(6)) RaiseError(3167, "Record is deleted.");
    read(rows, start, backwards);
  };
  grid->RefreshRows();
  EXPECT_EQ(grid->ShownBookmarks(), (std::vector<Variant>{1}));
}

// The drawing: cell texts as the locale writes them, clipped to their cell, hidden columns
// left out; the whole current row highlighted in the row-highlight style.
TEST_F(DataGridTest, DrawingShowsCellsAsFormattedAndTheHighlightedRow) {
  Open(20);
  host.Key("Down");
  grid->SetMarqueeStyle(3);
  const GridDrawing d = grid->Drawing();
  std::vector<const PopupDrawOp*> texts, highlights;
  for (const PopupDrawOp& op : d.ops) {
    if (op.kind == PopupDrawOp::kText) texts.push_back(&op);
    if (op.kind == PopupDrawOp::kFill && op.color == kSysHighlight) highlights.push_back(&op);
  }
  ASSERT_EQ(texts.size(), size_t{3 * kShown});
  EXPECT_EQ(texts[3]->text, "2");
  EXPECT_EQ(texts[4]->text, "Nome 2");
  EXPECT_EQ(texts[5]->text, "1");
  EXPECT_EQ(texts[8]->text, "1,5");  // 3 / 2 under the default pt-BR settings
  EXPECT_EQ(texts[4]->x1, grid->Border() + 900 + 30);
  EXPECT_EQ(texts[4]->x2, grid->Border() + 900 + 1800 - 15);
  EXPECT_EQ(texts[4]->color, kSysHighlightText);
  EXPECT_EQ(texts[1]->color, kSysWindowText);
  ASSERT_EQ(highlights.size(), 1u);
  EXPECT_EQ(highlights[0]->y1, grid->RowsTop() + rowHeight);
  EXPECT_EQ(highlights[0]->x2, grid->Border() + 900 + 1800 + 900);
  grid->SetMarqueeStyle(5);
  for (const PopupDrawOp& op : grid->Drawing().ops) EXPECT_NE(op.color, kSysHighlight);
}

}  // namespace
}  // namespace orvo::testing
