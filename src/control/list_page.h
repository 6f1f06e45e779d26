// ListPage: the list pages of a control's popup form, the record grid `grdLst` and the item
// list box `lst`, as they work for the control that owns the form: feeding the grid from the
// recordset, taking a choice, searching as the user types, and the item list.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant.h"
#include "lookup/recordset.h"
#include "platform/popup_widgets.h"

namespace orvo {

class CalendForm;
class OrvoMask;

class ListPage {
 public:
  ListPage(OrvoMask& control, CalendForm& form) : c_(control), f_(form) {}

  // Connects the grid's and the list box's notifications to the control owning the form.
  void Wire();

  // ---- The record grid ----------------------------------------------------------------
  // Builds the grid's columns for the control's ListFields; `ok` becomes true on success.
  void EncheLstRs(bool& ok);
  // Fits the last column to the grid and the form's height to the rows shown.
  void AcertaTmCol();
  // Takes the grid's current row as the choice; with `closeAfter` also closes the popup.
  void PegaSelecao(bool closeAfter);
  // Runs the recordset again, refreshes the grid and shows the field's record.
  void Remonta();
  // Closes the list page without a choice.
  void Descarrega();

  // ---- Search -------------------------------------------------------------------------
  // The text the field shows for the record whose bound column holds `v` (its listed
  // columns joined by the column separator); empty when there is none. On a table that
  // record becomes current.
  std::string SelecionaItem(const Variant& v);
  // Finds the first record (or item) whose first listed column starts with `s` and shows it
  // in the field and the grid. `s` loses a leading character 255. True when a record of
  // the recordset itself was found and made current.
  bool SearchListBox(std::string& s, bool internal);

  // ---- The item list ------------------------------------------------------------------
  // Fills the list box from ListFields and selects the item the field shows.
  void BuildItemList();
  // Selects line `index` as a choice would, without closing anything.
  void PoeItem(int16_t index);

 private:
  void ReadRows(DataGrid::RowBuffer& rows, const Variant& start, bool backwards);
  Variant RelativeBookmark(const Variant& start, int32_t offset);
  void StepRows(Recordset& r, bool searching, bool backwards, const std::string& criterion);
  void KeepApproxCount();
  void ResetSearchLook();
  void GridKeyDown(int16_t& keyCode);
  void GridMouseDown(float x, float y);
  void GridMouseUp(float y);
  void ItemChosen();
  void ItemListKeyDown(int16_t& keyCode);
  void ItemListKeyPress(int16_t& keyAscii);
  // The record's listed columns joined by the column separator.
  std::string RowText(Recordset& r);
  void WriteRecord(Recordset& r);
  bool SearchTable(Recordset& r, const std::string& s);
  bool SearchOther(Recordset& r, const std::string& s);
  void SearchItems(const std::string& s);
  // Builds the one-record statement for `criterion` and has the application open it.
  RecordsetRef OpenOneRecord(Recordset& r, const std::string& criterion, bool keepOrdering);

  OrvoMask& c_;
  CalendForm& f_;
};

// True when the last seek or find on `r` failed: its NoMatch, or BOF or EOF for a recordset
// that cannot tell.
bool NotFound(Recordset& r);

}  // namespace orvo
