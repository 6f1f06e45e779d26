// The lookup grid as its rows are fed and its presses are taken, over a real recordset on
// each engine: the rows a read gives in either direction, where a searching read stops, the
// relative bookmark, and a press on a column divider that is no choice.
#include <gtest/gtest.h>

#include <memory>

#include "access/internals.h"
#include "orvo/orvo_mask.h"
#include "db_test_support.h"
#include "host/headless/headless_host.h"
#include "platform/property_bag.h"
#include "popups/calend_form.h"

namespace orvo {
namespace {

struct Recorder : OrvoMaskEvents {
  void Change() override { ++changes; }
  int changes = 0;
};

class LookupGrid : public dbtest::ProductsTest {
 protected:
  void SetUp() override {
    dbtest::ProductsTest::SetUp();
    if (IsSkipped() || HasFailure()) return;
    ControlSite& site = host.CreateSite("c");
    c = std::make_unique<OrvoMask>(site, &events);
    host.RegisterControl(site, c.get());
    MemoryPropertyBag bag;
    c->UserControl_ReadProperties(bag);
    c->SetBoundColumn("id");
    c->SetListFields("nome|grupo");
  }
  DataGrid& Grid() { return CalendarForm(*c)->Grid(); }
  // The names of the rows one read gives, "|"-joined.
  std::string Read(const Variant& start, bool backwards, int32_t wanted = 10) {
    DataGrid::RowBuffer rows;
    rows.rowCount = wanted;
    Grid().OnReadRows(rows, start, backwards);
    std::string names;
    for (const auto& row : rows.values)
      names += (names.empty() ? "" : "|") + dbtest::Show(row.at(0));
    marks = rows.bookmarks;
    last = rows.bookmarks.empty() ? Variant() : rows.bookmarks.back();
    first = rows.bookmarks.empty() ? Variant() : rows.bookmarks.front();
    return names;
  }

  HeadlessHost host;
  Recorder events;
  std::unique_ptr<OrvoMask> c;
  Variant first, last;
  std::vector<Variant> marks;
};
INSTANTIATE_TEST_SUITE_P(Engines, LookupGrid, dbtest::Engines(), dbtest::EngineName);

TEST_P(LookupGrid, AFilteredDynasetFeedsOnlyItsRowsBothWaysAndKeepsTheCurrentRecord) {
  auto rs = db->OpenDynaset("SELECT * FROM prod ORDER BY nome");
  c->SetRecordSource(rs);
  c->SetFilter("grupo = 1");
  rs->FindFirst("nome = 'Porca'");
  EXPECT_EQ(Read(Variant(), false), "Alicate|Arruela|Martelo");
  EXPECT_EQ(CalendarForm(*c)->SearchEndBookmarks[0], last);
  EXPECT_EQ(dbtest::Field(*rs, "nome"), "Porca") << "the grid's reads leave the record current";
  EXPECT_EQ(Read(Variant(), true), "Martelo|Arruela|Alicate") << "nearest the end first";
  EXPECT_EQ(Read(first, true), "Arruela|Alicate") << "after Martelo, backwards";
  EXPECT_EQ(Read(first, false, 1), "Martelo") << "after Arruela";

  // A criterion nothing meets: the list stays empty from either end until it is re-run.
  c->SetFilter("grupo = 9");
  EXPECT_EQ(Read(Variant(), false), "");
  EXPECT_NE(CalendarForm(*c)->ListEndReached, 0);
  c->SetFilter("grupo = 1");
  EXPECT_EQ(Read(Variant(), true), "");
}

TEST_P(LookupGrid, ATableFilterRangeReadsFromItsEndAndAnswersNoRowBeyondIt) {
  auto rs = db->OpenTable("prod", "ix_grupo_nome");
  c->SetRecordSource(rs);
  c->SetFilter("grupo = 2");
  // The range in its index order: names descending.
  EXPECT_EQ(Read(Variant(), true), "Parafuso|Porca|Serra");
  EXPECT_EQ(Read(Variant(), false), "Serra|Porca|Parafuso");
  EXPECT_EQ(Grid().OnRelativeBookmark(marks[0], 2), marks[2]);
  EXPECT_TRUE(Grid().OnRelativeBookmark(marks[0], -1).IsNull()) << "before Serra is grupo 1";
  EXPECT_TRUE(Grid().OnRelativeBookmark(marks[2], 1).IsNull()) << "after Parafuso is grupo 3";
}

TEST_P(LookupGrid, APressOnAColumnDividerIsNoChoiceAPressOnARowIs) {
  c->SetRecordSource(db->OpenTable("prod", "ix_codigo"));
  c->gValueAtual = Variant();
  DataGrid& grid = Grid();
  grid.Move(0, 0, 4000, 1600);
  grid.Rebind();
  ASSERT_GT(grid.ShownBookmarks().size(), 2u);
  const DataGrid::Column col = grid.Columns().at(0);
  float rowY = 0;
  while (grid.RowAt(rowY) != 1) rowY += 15;
  int16_t button = 1, shift = 0;
  float x = col.left + col.width - 3 * 15, y = rowY;
  grid.OnMouseDown(button, shift, x, y);
  grid.OnMouseUp(button, shift, x, y);
  EXPECT_EQ(c->Text(), "") << "a press within 7 pixels of the edge drags the divider";
  x = col.left + col.width / 2;
  grid.OnMouseDown(button, shift, x, y);
  grid.OnMouseUp(button, shift, x, y);
  EXPECT_NE(c->Text(), "");
  EXPECT_FALSE(c->gValueAtual.IsEmpty());
  EXPECT_EQ(events.changes, 1);
}

// A choice that fails halfway (a bound column the recordset lacks) leaves the field taking
// writes as before: NaoEClick back at 0, so a later text set raises Change.
TEST_P(LookupGrid, AChoiceThatFailsLeavesTheFieldTakingWrites) {
  c->SetBoundColumn("sem_tal");
  c->SetRecordSource(db->OpenTable("prod", "ix_codigo"));
  Grid().Move(0, 0, 4000, 1600);
  Grid().Rebind();
  int16_t enter = 13, shift = 0;
  Grid().OnKeyDown(enter, shift);
  EXPECT_EQ(c->NaoEClick, 0);
  events.changes = 0;
  c->SetText("x");
  EXPECT_EQ(events.changes, 1);
}

}  // namespace
}  // namespace orvo
