// The Qt host's unbound grid over 1,000,000 fed rows (offscreen): one page scrolled by a
// Page Down key through Qt's key path and painted, a thumb dragged to a far row and painted,
// and a full repaint alone. The rows are fed from no table: a row is made when asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QWidget>
#include <memory>
#include <string>

#include "host/core/core_data_grid.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_views.h"

namespace {

using namespace orvo;

constexpr int32_t kRows = 1'000'000;

struct FedGrid {
  FedGrid() {
    popup = host.Services().CreatePopupForm();
    grid.reset(static_cast<CoreDataGrid*>(popup->CreateDataGrid().release()));
    grid->Columns() = {
        {"Codigo", true, 1200, 0}, {"Nome", true, 3000, 0}, {"Limite", true, 1400, 0}};
    grid->OnReadRows = [](DataGrid::RowBuffer& rows, const Variant& start, bool backwards) {
      int32_t r = start.IsEmpty() ? (backwards ? kRows + 1 : 0) : start.AsLong();
      while (static_cast<int32_t>(rows.bookmarks.size()) < rows.rowCount) {
        r += backwards ? -1 : 1;
        if (r < 1 || r > kRows) break;
        rows.bookmarks.push_back(Variant(r));
        rows.values.push_back(
            {Variant(r), Variant("Cliente " + std::to_string(r)), Variant(r * 1.25)});
      }
    };
    grid->OnRelativeBookmark = [](const Variant& start, int32_t offset) {
      const int64_t r = start.AsLong() + int64_t{offset};
      return r < 1 || r > kRows ? Variant::Null() : Variant(static_cast<int32_t>(r));
    };
    const float height = 8 * grid->RowHeight() + 2 * grid->Border();
    popup->Move(1500, 1500, 6000, height);
    grid->Move(0, 0, 6000, height);
    grid->SetApproxCount(kRows);
    grid->SetMarqueeStyle(3);
    grid->Rebind();
    popup->Show(false);
    QCoreApplication::processEvents();
    view = QtView::WidgetOf(*NodeOf(grid.get()));
  }

  QtHost host;
  std::unique_ptr<PopupForm> popup;
  std::unique_ptr<CoreDataGrid> grid;
  QWidget* view = nullptr;
};

// Page Down, then Page Up, each a key event through Qt to the grid and a paint.
void BM_QtGridPage(benchmark::State& state) {
  FedGrid g;
  bool down = true;
  for (auto _ : state) {
    g.host.Key(down ? "PageDown" : "PageUp");
    g.view->repaint();
    down = !down;
  }
}

// The thumb dragged between two far rows of the million; each drag reads one page.
void BM_QtGridThumbDrag(benchmark::State& state) {
  FedGrid g;
  auto* bar = g.view->findChild<QScrollBar*>();
  if (!bar) return state.SkipWithError("the grid shows no scroll bar");
  bool far = true;
  for (auto _ : state) {
    bar->setSliderPosition(far ? bar->maximum() * 3 / 4 : bar->maximum() / 4);
    g.view->repaint();
    far = !far;
  }
}

void BM_QtGridRepaint(benchmark::State& state) {
  FedGrid g;
  for (auto _ : state) g.view->repaint();
}

BENCHMARK(BM_QtGridPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtGridThumbDrag)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtGridRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
