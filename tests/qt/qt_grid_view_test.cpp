// The Qt view of the unbound grid: it paints what the model shows and holds no table, its
// scroll bar is a real QScrollBar, and Qt's real keys, wheel, bar actions and mouse drags
// reach the model's grid. The grid's own rules are the model's, tested in tests/host.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "../host/rows_feeder.h"
#include "host/core/core_data_grid.h"
#include "host/qt/qt_conversions.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"

namespace orvo::testing {
namespace {

constexpr int32_t kShown = 6;

class QtGridViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    popup = host.Services().CreatePopupForm();
    grid.reset(static_cast<CoreDataGrid*>(popup->CreateDataGrid().release()));
    grid->Columns() = {{"Codigo", true, 1200, 0},
                       {"Chave", false, 600, 0},
                       {"Nome", true, 2400, 0},
                       {"Valor", true, 1200, 0}};
    feeder.Feed(*grid);
    const float height = kShown * grid->RowHeight() + 2 * grid->Border();
    popup->Move(1500, 1500, 5400, height);
    grid->Move(0, 0, 5400, height);
    grid->SetApproxCount(feeder.n);
    grid->OnScrollNotify = [this] { ++scrolls; };
    grid->Rebind();
    popup->Show(false);
    QApplication::processEvents();
    view = QtView::WidgetOf(*NodeOf(grid.get()));
    bar = view ? view->findChild<QScrollBar*>() : nullptr;
    ASSERT_TRUE(view && bar);
  }
  int32_t Top() const { return grid->ShownBookmarks().front().AsLong(); }
  int RowPixelY(int row) const {
    return static_cast<int>((grid->RowsTop() + (row + 0.5f) * grid->RowHeight()) / 15);
  }

  QtHost host;
  RowsFeeder feeder{1'000'000};
  std::unique_ptr<PopupForm> popup;
  std::unique_ptr<CoreDataGrid> grid;
  QWidget* view = nullptr;
  QScrollBar* bar = nullptr;
  int scrolls = 0;
};

TEST_F(QtGridViewTest, PaintsTheShownRowsWithARealScrollBarAndHoldsNoTable) {
  EXPECT_EQ(qobject_cast<QAbstractItemView*>(view), nullptr);
  ASSERT_EQ(grid->VisibleRowCount(), kShown);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), 1'000'000 - kShown);
  EXPECT_EQ(bar->pageStep(), kShown);
  EXPECT_EQ(bar->geometry().right() + 2, view->width());  // inside the 1-pixel border
  grid->SetBookmark(Variant(3));
  grid->SetMarqueeStyle(3);
  const QImage shot = view->grab().toImage();
  const QColor highlight = QApplication::palette().color(QPalette::Highlight);
  const QColor base = QApplication::palette().color(QPalette::Base);
  // Away from the texts: the far end of the last column.
  const int x = (15 + 1200 + 2400 + 1200) / 15 - 4;
  EXPECT_EQ(shot.pixelColor(x, RowPixelY(2)), highlight);
  EXPECT_EQ(shot.pixelColor(x, RowPixelY(1)), base);
  // Each shown column ends on a line of its last pixel; the hidden one takes no room.
  const QRgb line = ToQColor(kSysButtonShadow).rgb();
  for (int right : {15 + 1200, 15 + 1200 + 2400, 15 + 1200 + 2400 + 1200})
    EXPECT_EQ(shot.pixel(right / 15 - 1, RowPixelY(1)), line) << right;
  EXPECT_LE(feeder.rowsRead, 2 * kShown);  // the first page, and a page from row 3
}

TEST_F(QtGridViewTest, RealKeysWheelAndBarActionsScrollTheModel) {
  view->setFocus();
  QTest::keyClick(view, Qt::Key_PageDown);
  EXPECT_EQ(Top(), 1 + kShown);
  EXPECT_EQ(grid->Bookmark(), Variant(1 + kShown));
  EXPECT_EQ(bar->value(), kShown);
  // A notch down: three rows. (Over the bar the wheel is the grid's too, which only a
  // window system's own events show: Qt passes a sent wheel event to no parent.)
  QWheelEvent wheel(QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                    {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view, &wheel);
  EXPECT_EQ(Top(), 1 + kShown + 3);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(Top(), 1 + kShown + 4);
  EXPECT_EQ(bar->value(), kShown + 4);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(Top(), 1 + 4);
  bar->setSliderPosition(bar->maximum() / 2);  // the thumb dragged half way
  EXPECT_NEAR(Top(), 500'000, 2);
  EXPECT_EQ(bar->value(), grid->Bar().value);
  bar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(grid->ShownBookmarks().back(), Variant(1'000'000));
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // at the end: the thumb stays
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(scrolls, 6);
  EXPECT_LE(feeder.rowsRead, 8 * kShown);
}

TEST_F(QtGridViewTest, RealMouseDragsADividerAndClicksARow) {
  std::vector<int16_t> resized;
  grid->OnColResize = [&](int16_t column) { resized.push_back(column); };
  const int edge = (15 + 1200) / 15;  // Codigo's right edge, pixels
  const int y = RowPixelY(1);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(edge + 3, y));
  QTest::mouseMove(view, QPoint(edge + 23, y));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(edge + 23, y));
  EXPECT_EQ(grid->Columns()[0].width, 1200 + 20 * 15);
  EXPECT_EQ(resized, std::vector<int16_t>{0});
  EXPECT_EQ(grid->Bookmark(), Variant(1));
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(edge + 60, RowPixelY(4)));
  EXPECT_EQ(grid->Bookmark(), Variant(5));
}

}  // namespace
}  // namespace orvo::testing
