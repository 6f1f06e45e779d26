// RowsFeeder: the unbound callbacks of a grid over rows 1..N held nowhere: a row's bookmark
// is its number, its values (one per column) the number, "KN", "Nome N" and N / 2. It counts what
// it is asked, so that a test can see the grid reads only what it shows. `skip` leaves rows out of
// the list (as a search criterion does), and the relative bookmark finds no row there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/popup_widgets.h"

namespace orvo::testing {

struct RowsFeeder {
  explicit RowsFeeder(int32_t rows) : n(rows) {}

  void Feed(DataGrid& grid) {
    grid.OnReadRows = [this](DataGrid::RowBuffer& rows, const Variant& start, bool backwards) {
      ++reads;
      int32_t r = start.IsEmpty() ? (backwards ? n + 1 : 0) : start.AsLong();
      while (static_cast<int32_t>(rows.bookmarks.size()) < rows.rowCount) {
        r += backwards ? -1 : 1;
        while (r >= 1 && r <= n && skip && skip(r)) r += backwards ? -1 : 1;
        if (r < 1 || r > n) break;
        ++rowsRead;
        rows.bookmarks.push_back(Variant(r));
        const std::string s = std::to_string(r);
        rows.values.push_back(
            {Variant(r), Variant("K" + s), Variant("Nome " + s), Variant(r / 2.0)});
      }
    };
    grid.OnRelativeBookmark = [this](const Variant& start, int32_t offset) {
      ++relatives;
      const int64_t r = start.AsLong() + int64_t{offset};
      return r < 1 || r > n || (skip && skip(static_cast<int32_t>(r)))
                 ? Variant::Null()
                 : Variant(static_cast<int32_t>(r));
    };
  }

  int32_t n;
  std::function<bool(int32_t)> skip;
  int32_t reads = 0, relatives = 0;
  int64_t rowsRead = 0;
};

}  // namespace orvo::testing
