// The scripts' reach into the popup's list and grid: rows clicked, keys and characters in
// them, the wheel, the grid's scroll bar and column dividers, and what both show.
#include <cstdlib>

#include "access/internals.h"
#include "play_form_impl.h"

namespace orvo::play {

namespace {

std::optional<int32_t> Whole(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0') return std::nullopt;
  return static_cast<int32_t>(v);
}

// "lst(3)" -> 3, "grid(2,1)" -> {2, 1}: the numbers between the parentheses after `head`.
std::optional<std::vector<int32_t>> Indexes(const std::string& name, const std::string& head,
                                            const std::string& tail) {
  if (name.size() < head.size() + tail.size() + 2 || name.rfind(head + "(", 0) != 0 ||
      name.compare(name.size() - tail.size() - 1, tail.size() + 1, ")" + tail) != 0)
    return std::nullopt;
  std::string inside = name.substr(head.size() + 1, name.size() - head.size() - tail.size() - 2);
  std::vector<int32_t> out;
  size_t start = 0;
  for (;;) {
    const size_t comma = inside.find(',', start);
    auto n = Whole(inside.substr(start, comma == std::string::npos ? comma : comma - start));
    if (!n) return std::nullopt;
    out.push_back(*n);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

std::optional<ScrollPart> BarPartNamed(const std::string& name) {
  if (name == "scroll-up") return ScrollPart::ArrowMin;
  if (name == "scroll-down") return ScrollPart::ArrowMax;
  if (name == "page-up") return ScrollPart::PageMin;
  if (name == "page-down") return ScrollPart::PageMax;
  return std::nullopt;
}

}  // namespace

DataGrid& PlayForm::Impl::OpenGrid() {
  auto* grid = dynamic_cast<DataGrid*>(&OpenList());
  if (!grid) RaiseError(err::kInvalidProcedureCall, "orvoplay: the open list is not a grid");
  return *grid;
}

// The popup form of the control that owns the popup (else of the current control), open or
// not: an item list is built before it drops down.
CalendForm* PlayForm::Impl::ListForm() {
  OrvoMask* owner = PopupOwnerControl();
  if (!owner && current) owner = current->control.get();
  return owner ? CalendarForm(*owner) : nullptr;
}

bool PlayForm::Impl::ClickList(const std::string& what) {
  if (auto row = Whole(what)) {
    ClickListRow(*row);
    return true;
  }
  const std::optional<ScrollPart> part = BarPartNamed(what);
  if (!part) return false;
  DataGrid& grid = OpenGrid();
  const auto point = GridBarPoint(grid, *part);
  if (!point) RaiseError(err::kInvalidProcedureCall, "orvoplay: the open grid shows no scroll bar");
  host->Click(grid, point->first, point->second);
  return true;
}

void PlayForm::TypeInList(const std::string& text) {
  impl_->OpenList();
  impl_->host->Type(text);
}

void PlayForm::WheelList(int32_t notches) {
  Widget& list = impl_->OpenList();
  impl_->host->Wheel(list, notches, list.Width() / 2, list.Height() / 2);
}

void PlayForm::DragListDivider(int32_t column, int32_t pixels) {
  DataGrid& grid = impl_->OpenGrid();
  const auto point = GridDividerPoint(grid, column);
  if (!point)
    RaiseError(err::kInvalidProcedureCall,
               "orvoplay: the open grid shows no column " + std::to_string(column));
  CoreHost& host = *impl_->host;
  host.Press(grid, point->first, point->second);
  host.MovePressed(point->first + static_cast<float>(pixels) * 15, point->second);
  host.Release(true);
}

// `grid.Rows`, `grid.Row`, `grid(ROW,COL).Text`, `lst.ListCount`, `lst.ListIndex`, `lst(I)`;
// nullopt for other names.
std::optional<Variant> PlayForm::Impl::ReadList(const std::string& name) {
  if (name == "grid.Rows" || name == "grid.Row") {
    DataGrid& grid = OpenGrid();
    if (name == "grid.Row") return Variant(grid.VisibleRow());
    return Variant(static_cast<int16_t>(grid.ShownBookmarks().size()));
  }
  if (auto cell = Indexes(name, "grid", ".Text")) {
    if (cell->size() != 2) return std::nullopt;
    const auto text = GridCellText(OpenGrid(), (*cell)[0], (*cell)[1]);
    if (!text)
      RaiseError(err::kInvalidProcedureCall, "orvoplay: the grid shows no cell (" +
                                                 std::to_string((*cell)[0]) + "," +
                                                 std::to_string((*cell)[1]) + ")");
    return Variant(*text);
  }
  const bool count = name == "lst.ListCount", index = name == "lst.ListIndex";
  auto item = Indexes(name, "lst", "");
  if (!count && !index && !(item && item->size() == 1)) return std::nullopt;
  CalendForm* form = ListForm();
  if (!form || !form->lst)
    RaiseError(err::kInvalidProcedureCall, "orvoplay: the control has no list");
  ListBox& lst = *form->lst;
  if (count) return Variant(lst.ListCount());
  if (index) return Variant(lst.ListIndex());
  return Variant(lst.List(static_cast<int16_t>((*item)[0])));
}

}  // namespace orvo::play
