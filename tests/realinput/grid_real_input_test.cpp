// The Qt grid as a user meets it on a real X server: the wheel over its rows and over its
// scroll bar, the bar's arrow, trough and thumb, a column divider dragged and a row clicked,
// each a real X event from xdotool. Set ORVO_REALINPUT_SHOTS to a folder for a PNG.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../host/rows_feeder.h"
#include "host/core/core_data_grid.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"
#include "x_session.h"

namespace orvo::realinput {
namespace {

using orvo::testing::RowsFeeder;

class RealGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    popup = host.Services().CreatePopupForm();
    grid.reset(static_cast<CoreDataGrid*>(popup->CreateDataGrid().release()));
    grid->Columns() = {{"Codigo", true, 1200, 0},
                       {"Chave", false, 600, 0},
                       {"Nome", true, 2400, 0},
                       {"Valor", true, 1200, 0}};
    feeder.Feed(*grid);
    const float height = 8 * grid->RowHeight() + 2 * grid->Border();
    popup->Move(1500, 1500, 5400, height);
    grid->Move(0, 0, 5400, height);
    grid->SetApproxCount(feeder.n);
    grid->SetMarqueeStyle(3);
    grid->OnColResize = [this](int16_t column) { resized.push_back(column); };
    grid->Rebind();
    popup->Show(false);
    view = QtView::WidgetOf(*NodeOf(grid.get()));
    ASSERT_TRUE(view);
    bar = view->findChild<QScrollBar*>();
    ASSERT_TRUE(WaitFor([&] { return view->isVisible() && bar && bar->isVisible(); }));
  }

  // xdotool's own words, with points of the grid's view (pixels) put on the screen.
  void Do(std::vector<std::string> args) {
    std::string error;
    ASSERT_TRUE(XDoTool(args, error)) << error;
  }
  std::vector<std::string> At(QPoint p) {
    const QPoint g = view->mapToGlobal(p);
    return {"mousemove", std::to_string(g.x()), std::to_string(g.y())};
  }
  void Then(std::vector<std::string> a, std::vector<std::string> b) {
    a.insert(a.end(), b.begin(), b.end());
    Do(a);
  }
  int32_t Top() const { return grid->ShownBookmarks().front().AsLong(); }
  int RowY(int row) const {
    return static_cast<int>((grid->RowsTop() + (row + 0.5f) * grid->RowHeight()) / 15);
  }
  QPoint BarPoint(float twipsY) const {
    return {bar->geometry().center().x(), static_cast<int>(twipsY / 15)};
  }

  QtHost host;
  RowsFeeder feeder{1000};
  std::unique_ptr<PopupForm> popup;
  std::unique_ptr<CoreDataGrid> grid;
  QWidget* view = nullptr;
  QScrollBar* bar = nullptr;
  std::vector<int16_t> resized;
};

TEST_F(RealGrid, WheelBarThumbDividerAndRowFollowTheUser) {
  Then(At({60, RowY(3)}), {"click", "5"});  // a notch down over the rows
  ASSERT_TRUE(WaitFor([&] { return Top() == 4; })) << Top();
  Then(At(bar->geometry().center()), {"click", "5"});  // and one over the bar
  ASSERT_TRUE(WaitFor([&] { return Top() == 7; })) << Top();
  const GridScrollBar b = grid->Bar();
  Then(At(BarPoint(b.top + b.height - b.arrow / 2)), {"click", "1"});  // the down arrow
  ASSERT_TRUE(WaitFor([&] { return Top() == 8; })) << Top();
  Then(At(BarPoint(b.top + b.height - b.arrow - 60)), {"click", "1"});  // the trough
  ASSERT_TRUE(WaitFor([&] { return Top() == 16; })) << Top();
  // The thumb dragged to the bottom: the last page, read from the end.
  const GridScrollBar now = grid->Bar();
  const QPoint thumb = BarPoint(now.thumbTop + now.thumbLength / 2);
  Then(At(thumb), {"mousedown", "1"});
  Then(At(thumb + QPoint(0, 20)), At(BarPoint(b.top + b.height - b.arrow)));
  Do({"mouseup", "1"});
  ASSERT_TRUE(WaitFor([&] { return grid->ShownBookmarks().back() == Variant(1000); })) << Top();
  EXPECT_EQ(bar->value(), bar->maximum());
  // Nome's right edge dragged 40 pixels to the right.
  const int edge = static_cast<int>((grid->Border() + 1200 + 2400) / 15);
  Then(At({edge + 2, RowY(1)}), {"mousedown", "1"});
  Then(At({edge + 22, RowY(1)}), At({edge + 42, RowY(1)}));
  Do({"mouseup", "1"});
  ASSERT_TRUE(WaitFor([&] { return !resized.empty(); }));
  EXPECT_EQ(resized, std::vector<int16_t>{2});
  EXPECT_NEAR(grid->Columns()[2].width, 2400 + 40 * 15, 15);
  Then(At({60, RowY(5)}), {"click", "1"});
  ASSERT_TRUE(WaitFor([&] { return grid->VisibleRow() == 5; })) << grid->VisibleRow();
  EXPECT_LE(feeder.rowsRead, 8 * 8);
  if (const char* shots = std::getenv("ORVO_REALINPUT_SHOTS")) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect r = view->window()->frameGeometry().adjusted(-8, -8, 8, 8);
    screen->grabWindow(0, r.x(), r.y(), r.width(), r.height())
        .save(QString::fromStdString(std::string(shots) + "/Grid.png"), "PNG");
  }
}

}  // namespace
}  // namespace orvo::realinput
