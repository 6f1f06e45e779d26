// Creating the runner's host; the only file that knows the concrete hosts.
#include "play_host.h"

#include "host/core/core_data_grid.h"
#include "host/core/core_list_box.h"
#include "host/headless/headless_host.h"
#include "orvo/error.h"
#include "script_runner.h"

#ifdef ORVO_HAVE_QT
#include "orvo/qt_host.h"
#endif

namespace orvo::play {

std::unique_ptr<CoreHost> CreatePlayHost(HostKind kind) {
  if (kind == HostKind::Headless) return std::make_unique<HeadlessHost>();
#ifdef ORVO_HAVE_QT
  return CoreOf(CreateQtHost());
#else
  RaiseError(err::kNotAvailableYet, "orvoplay: this build has no Qt host");
#endif
}

int16_t ListRowAt(ListBox& list, float y) {
  auto* core = dynamic_cast<CoreListBox*>(&list);
  return core ? core->RowAt(y) : -1;
}

namespace {

// The Columns() index of shown column `column`; -1 for none.
int32_t ShownColumn(const DataGrid& grid, int32_t column) {
  auto& columns = const_cast<DataGrid&>(grid).Columns();
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i].visible && column-- == 0) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace

std::optional<std::pair<float, float>> GridBarPoint(DataGrid& grid, ScrollPart part) {
  auto* core = dynamic_cast<CoreDataGrid*>(&grid);
  if (!core) return std::nullopt;
  const GridScrollBar bar = core->Bar();
  if (!bar.shown) return std::nullopt;
  const float x = bar.left + bar.width / 2;
  const float troughTop = bar.top + bar.arrow, troughBottom = bar.top + bar.height - bar.arrow;
  switch (part) {
    case ScrollPart::ArrowMin:
      return std::pair{x, bar.top + bar.arrow / 2};
    case ScrollPart::ArrowMax:
      return std::pair{x, troughBottom + bar.arrow / 2};
    case ScrollPart::PageMin:
      return std::pair{x, (troughTop + bar.thumbTop) / 2};
    case ScrollPart::PageMax:
      return std::pair{x, (bar.thumbTop + bar.thumbLength + troughBottom) / 2};
  }
  return std::nullopt;
}

std::optional<std::pair<float, float>> GridDividerPoint(DataGrid& grid, int32_t column) {
  auto* core = dynamic_cast<CoreDataGrid*>(&grid);
  const int32_t i = ShownColumn(grid, column);
  if (!core || i < 0) return std::nullopt;
  const DataGrid::Column& c = grid.Columns()[i];
  return std::pair{c.left + c.width, core->RowsTop() + core->RowHeight() / 2};
}

std::optional<std::string> GridCellText(DataGrid& grid, int32_t row, int32_t column) {
  auto* core = dynamic_cast<CoreDataGrid*>(&grid);
  const int32_t i = ShownColumn(grid, column);
  if (!core || i < 0 || row < 0 || row >= static_cast<int32_t>(core->ShownTexts().size()))
    return std::nullopt;
  const auto& texts = core->ShownTexts()[row];
  return i < static_cast<int32_t>(texts.size()) ? texts[i] : std::string();
}

void SavePlayHostScreenshot(FormHost& host, const std::string& path) {
#ifdef ORVO_HAVE_QT
  if (IsQtHost(host)) {
    if (!SaveQtScreenshot(host, path))
      RaiseError(err::kInvalidProcedureCall, "orvoplay: cannot write the screenshot " + path);
    return;
  }
#endif
  // Other hosts have nothing to photograph; they print nothing either, so that one script
  // gives the same transcript in every host.
  (void)host, (void)path;
}

}  // namespace orvo::play
