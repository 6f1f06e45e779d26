// Matching a table's indexes with the bound column and the list's first field.
#include "lookup/leading_indexes.h"

#include "base/error.h"
#include "base/strings.h"

namespace orvo {

namespace {

// "+[Codigo];-Nome" -> "CODIGO": the first field of an index, without brackets and sign.
std::string FirstIndexField(const std::string& fields) {
  std::string f = UCase(RemoveChars(RemoveChars(fields, "[", false), "]", false));
  const size_t semi = f.find(';');
  if (semi != std::string::npos) f.resize(semi);
  if (!f.empty() && (f[0] == '+' || f[0] == '-')) f.erase(0, 1);
  return f;
}

// The first name of ListFields, trimmed and upper-cased.
std::string FirstListField(const std::string& listFields) {
  return UCase(Trim(listFields.substr(0, listFields.find('|'))));
}

}  // namespace

LeadingIndexes FindLeadingIndexes(Recordset& table, const std::string& boundColumn,
                                  const std::string& listFields) {
  LeadingIndexes found;
  if (boundColumn.empty() && listFields.empty()) return found;
  const std::string firstList = FirstListField(listFields);
  const std::string bound = UCase(boundColumn);
  int16_t count = 0;
  TryStep([&] { count = table.IndexCount(); });
  for (int16_t i = 0; i < count; ++i) {
    TryStep([&] {
      IndexInfo& index = table.Indexes(i);
      if (index.Foreign()) return;
      const std::string first = FirstIndexField(index.Fields());
      if (bound == first) found.bound = index.Name();
      if (firstList == first) found.field = index.Name();
    });
  }
  return found;
}

}  // namespace orvo
