// The hosts the runner can play in: creating one, and what only some of them offer.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "host/core/core_host.h"

namespace orvo::play {

enum class HostKind;

// The headless host, or the Qt host when the runner was built with it (else error 32001).
std::unique_ptr<CoreHost> CreatePlayHost(HostKind kind);

// The row of a list box under `y` (twips in the box), -1 for none; the list boxes of the
// hosts know it, the ListBox interface does not tell it.
int16_t ListRowAt(ListBox& list, float y);

// The open grid as the host model lays it out (twips in the grid): a point on a part of its
// scroll bar, nullopt when the bar is not shown; a point on the right edge of shown column
// `column` (0 = the first), in the first row; the text of a cell by shown row and shown
// column, nullopt when the grid shows no such cell.
std::optional<std::pair<float, float>> GridBarPoint(DataGrid& grid, ScrollPart part);
std::optional<std::pair<float, float>> GridDividerPoint(DataGrid& grid, int32_t column);
std::optional<std::string> GridCellText(DataGrid& grid, int32_t row, int32_t column);

// A PNG of the form and any open popup in the Qt host; nothing in the others.
void SavePlayHostScreenshot(FormHost& host, const std::string& path);

}  // namespace orvo::play
