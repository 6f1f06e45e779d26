// Looking up columns and indexes of a table schema.
#include "db/keyset/table_schema.h"

#include "base/strings.h"

namespace orvo {

std::string IndexSchema::FieldsText() const {
  std::string text;
  for (const auto& column : columns) {
    if (!text.empty()) text += ';';
    text += (column.descending ? "-" : "+") + column.name;
  }
  return text;
}

int TableSchema::FindColumn(const std::string& wanted) const {
  std::string upper = UCase(wanted);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (UCase(columns[i].name) == upper) return static_cast<int>(i);
  }
  return -1;
}

const IndexSchema* TableSchema::FindIndex(const std::string& wanted) const {
  std::string upper = UCase(wanted);
  for (const auto& index : indexes) {
    if (UCase(index.name) == upper ||
        (!index.engineName.empty() && UCase(index.engineName) == upper)) {
      return &index;
    }
  }
  return nullptr;
}

const IndexSchema* TableSchema::IndexForOrder(const std::vector<KeyColumn>& order) const {
  for (const auto& index : indexes) {
    if (index.engineName.empty() || index.partial || !index.usable ||
        index.columns.size() < order.size() || order.empty()) {
      continue;
    }
    bool matches = true;
    const bool flipped = index.columns[0].descending != order[0].descending;
    for (size_t i = 0; i < order.size() && matches; ++i) {
      const KeyColumn& a = index.columns[i];
      matches = UCase(a.name) == UCase(order[i].name) && a.collation == order[i].collation &&
                (a.descending != order[i].descending) == flipped;
    }
    if (matches) return &index;
  }
  return nullptr;
}

}  // namespace orvo
