// The indexes of a table that lead with the bound column and with the first list field.
#pragma once

#include <optional>
#include <string>

#include "lookup/recordset.h"

namespace orvo {

struct LeadingIndexes {
  std::optional<std::string> bound;  // leads with BoundColumn
  std::optional<std::string> field;  // leads with the first name of ListFields
};

// Compares the first field of each index that is not a foreign key ("+[Codigo];-Nome"
// leads with CODIGO) with the bound column and the first list field, without regard to
// case; the last index that matches wins. An index the table fails to report is skipped.
// Nothing is looked up when both names are empty.
LeadingIndexes FindLeadingIndexes(Recordset& table, const std::string& boundColumn,
                                  const std::string& listFields);

}  // namespace orvo
