// The key a table's filter gives: "[Tipo]='X' and Num = 7" read as field names and values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/locale_settings.h"
#include "base/variant.h"
#include "lookup/recordset.h"

namespace orvo {

// A key has at most ten parts, as a table's Seek takes at most ten values.
inline constexpr int16_t kMaxFilterKeyParts = 10;
using FilterKeyFieldArray = std::array<std::string, kMaxFilterKeyParts>;
using FilterKeyValueArray = std::array<Variant, kMaxFilterKeyParts>;

// Reads each clause "name = value" of `filter` into fields[i] and values[i], the value typed
// as the recordset's field: texts (short and long) as text, dates as dates (Null when the
// text is no date), anything else as its leading number with "." as the decimal point.
// Returns the index of the last part (-1 for none). Raises orvo::Error for a clause without
// "=", an eleventh clause or a field the recordset lacks; the parts read before stay written.
int16_t ReadFilterKey(const std::string& filter, Recordset& rs, const LocaleSettings& loc,
                      FilterKeyFieldArray& fields, FilterKeyValueArray& values);

}  // namespace orvo
