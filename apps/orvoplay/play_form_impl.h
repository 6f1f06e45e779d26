// PlayForm's state: the host, the controls made with `new`, the current one, and the open
// popups as the scripts reach them.
#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/internals.h"
#include "host/core/core_host.h"
#include "orvo/error.h"
#include "orvo/orvo_mask.h"
#include "play_form.h"
#include "play_host.h"
#include "popups/calend_form.h"
#include "script_runner.h"

namespace orvo::play {

struct PlayControl {
  std::string name;
  std::optional<int16_t> index;
  ControlSite* site = nullptr;
  std::unique_ptr<EventRecorder> recorder;
  std::unique_ptr<OrvoMask> control;
};

inline std::optional<int16_t> ArrayIndex(int16_t index) {
  return index < 0 ? std::nullopt : std::optional<int16_t>(index);
}

// A point over `row` (0 = first shown row) of a list or grid: scanned a pixel (15 twips) at
// a time down the widget, since only the widget knows its row height.
template <typename RowAtFn>
std::optional<float> RowTop(const Widget& w, int16_t row, RowAtFn rowAt) {
  for (float y = 7; y < w.Height(); y += 15) {
    if (rowAt(y) == row) return y;
  }
  return std::nullopt;
}

// A point on a widget (its own twips) that a click or a press goes to.
struct PointTarget {
  Widget* widget = nullptr;
  float x = 15, y = 15;
};

struct PlayForm::Impl {
  explicit Impl(EventLog& l) : log(l) {}
  EventLog& log;
  std::unique_ptr<CoreHost> host;
  std::vector<std::unique_ptr<PlayControl>> controls;
  PlayControl* current = nullptr;

  PlayControl& Find(const std::string& name, int16_t index) {
    for (auto& c : controls) {
      if (c->name == name && c->index == ArrayIndex(index)) return *c;
    }
    throw ScriptFault{"a control created with `new`", ControlDisplayName(name, ArrayIndex(index))};
  }

  // The open popup's list or grid: the one shown on the popup form of the control that owns
  // the popup.
  Widget& OpenList() {
    OrvoMask* owner = PopupOwnerControl();
    if (!owner && current) owner = current->control.get();
    orvo::CalendForm* form = owner ? CalendarForm(*owner) : nullptr;
    if (form && form->Shown()) {
      if (form->lst && form->lst->Visible()) return *form->lst;
      if (form->grdLst && form->grdLst->Visible()) return *form->grdLst;
    }
    RaiseError(err::kInvalidProcedureCall, "orvoplay: no list is open");
  }

  void ClickListRow(int32_t row) {
    Widget& w = OpenList();
    if (row < 0 || row > 32767) RaiseError(err::kInvalidProcedureCall, "orvoplay: no such row");
    std::optional<float> y;
    if (auto* list = dynamic_cast<ListBox*>(&w)) {
      y = RowTop(w, static_cast<int16_t>(row), [&](float at) { return ListRowAt(*list, at); });
    } else {
      auto& grid = static_cast<DataGrid&>(w);
      y = RowTop(w, static_cast<int16_t>(row), [&](float at) { return grid.RowAt(at); });
    }
    if (!y) {
      RaiseError(err::kInvalidProcedureCall,
                 "orvoplay: the open list shows no row " + std::to_string(row));
    }
    host->Click(w, 30, *y);
  }

  // The open grid (raises when the open list is the item list), the control's popup form
  // open or not, a click on a row or on a part of the grid's scroll bar (false for another
  // target), and the list and grid reads.
  DataGrid& OpenGrid();
  CalendForm* ListForm();
  bool ClickList(const std::string& what);
  std::optional<Variant> ReadList(const std::string& name);

  // `calendar ...` and `calc KEY`: the point of the open popup they name; nullopt for other
  // targets. Raises when that popup is not open.
  std::optional<PointTarget> PopupTarget(const std::vector<std::string>& target);
  // `button`, `caption`, `box`, `edit` of the current control.
  std::optional<PointTarget> ControlTarget(const std::string& what);
  // The calendar form of the control that owns the popup (else of the current control), and
  // the process's calculator, when open.
  CalendForm* OpenCalendar();
  CalcForm* OpenCalculator();

  PlayControl& Current() {
    if (!current) throw ScriptFault{"a current control (`new NAME` first)", "none"};
    return *current;
  }

  void Remove(PlayControl& c) {
    c.control.reset();  // the control goes before its site
    host->RemoveControl(*c.site);
  }
};

}  // namespace orvo::play
