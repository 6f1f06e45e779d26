// The records a filter selects: a test of the current record and moves that stay inside.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/locale_settings.h"
#include "base/variant.h"
#include "lookup/recordset.h"

namespace orvo {

// A view over a recordset and the key its filter gave (see ReadFilterKey). `filtered` says
// whether a filter is set at all; `table` whether the recordset is a table, the only kind
// that seeks by the key.
class FilterRange {
 public:
  FilterRange(Recordset& rs, std::span<const std::string> keyFields,
              std::span<const Variant> keyValues, bool filtered, bool table,
              const LocaleSettings& loc)
      : rs_(rs),
        keyFields_(keyFields),
        keyValues_(keyValues),
        filtered_(filtered),
        table_(table),
        loc_(loc) {}

  // The current record is a record (not BOF or EOF) and each key part equals its field,
  // texts without regard to case.
  bool Holds() const;

  // 1 first, 2 previous, 3 next, 4 last record of the range. Moving out of the range leaves
  // the recordset at BOF (previous) or EOF (next); a range with no record leaves it where
  // the seek left it. Without a filter the moves are the recordset's own.
  void Move(int16_t oq) const;

 private:
  void Previous() const;
  void Next() const;

  Recordset& rs_;
  std::span<const std::string> keyFields_;
  std::span<const Variant> keyValues_;
  bool filtered_;
  bool table_;
  const LocaleSettings& loc_;
};

}  // namespace orvo
