// Moves inside the range of records a table's filter key selects.
#include "lookup/filter_range.h"

#include <vector>

#include "base/error.h"
#include "lookup/criteria_text.h"

namespace orvo {

bool FilterRange::Holds() const {
  if (rs_.BOF() || rs_.EOF_()) return false;
  for (size_t i = 0; i < keyFields_.size(); ++i) {
    const Variant current = rs_.Fields(keyFields_[i]).Value();
    if (!KeyPartEqual(keyValues_[i], current, loc_)) return false;
  }
  return true;
}

void FilterRange::Previous() const {
  rs_.MovePrevious();
  if (filtered_ && !Holds()) {
    rs_.MoveFirst();
    rs_.MovePrevious();
  }
}

void FilterRange::Next() const {
  rs_.MoveNext();
  if (filtered_ && !Holds()) {
    rs_.MoveLast();
    rs_.MoveNext();
  }
}

void FilterRange::Move(int16_t oq) const {
  if (oq == 2) return Previous();
  if (oq == 3) return Next();
  if (!filtered_) {
    if (oq == 4) rs_.MoveLast();
    if (oq == 1) rs_.MoveFirst();
    return;
  }
  if (keyFields_.empty()) {
    if (!table_) {
      // Only tables keep a key; another recordset is asked to seek all the same and its
      // refusal is the caller's error.
      rs_.Seek(">=", {});
      RaiseError(err::kInvalidProcedureCall, "Pesquisa: the filter gives no key to seek");
    }
    // A table whose filter gave no key: the range is the whole table.
    if (oq == 4) rs_.MoveLast();
    if (oq == 1) rs_.MoveFirst();
    return;
  }
  // The table's current index must lead with the key's fields.
  const std::vector<Variant> keys(keyValues_.begin(), keyValues_.end());
  if (oq == 4) {
    // Past the range, then one back. Seeking just past the key itself (rather than at a
    // "next" key value such as "A2" for "A1" or 8 for 7) stays right when longer texts
    // ("A10"), fractions (7.5), times of day, code 255 or a descending index lie between
    // the key and that next value.
    rs_.Seek(">", keys);
    if (rs_.NoMatch()) {
      rs_.MoveLast();
      rs_.MoveNext();
    }
    return Previous();
  }
  rs_.Seek(">=", keys);
  if (rs_.NoMatch()) return;
  if (!Holds()) Next();
}

}  // namespace orvo
