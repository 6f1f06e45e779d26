// Reading a table filter's clauses as the parts of a seek key.
#include "lookup/filter_key.h"

#include "base/error.h"
#include "base/strings.h"
#include "lookup/criteria_text.h"

namespace orvo {

int16_t ReadFilterKey(const std::string& filter, Recordset& rs, const LocaleSettings& loc,
                      FilterKeyFieldArray& fields, FilterKeyValueArray& values) {
  int16_t last = -1;
  for (const std::string& clause : SplitFilterClauses(filter)) {
    const size_t eq = clause.find('=');
    if (eq == std::string::npos)
      RaiseError(err::kInvalidProcedureCall, "filter clause `" + clause + "` has no \"=\"");
    const std::string name =
        Trim(RemoveChars(RemoveChars(clause.substr(0, eq), "[", false), "]", false));
    const std::string value = FilterClauseValue(clause.substr(eq + 1));
    if (last == kMaxFilterKeyParts - 1)
      RaiseError(err::kSubscriptOutOfRange, "more than ten filter clauses");
    ++last;
    fields[last] = name;
    const int16_t type = rs.Fields(name).Type();
    // Long text keys as text too: SQLite's TEXT columns are long-text fields, and a text
    // key read as a number would match nothing.
    if (type == fieldtype::kText || type == fieldtype::kMemo) {
      values[last] = Variant(value);
    } else if (type == fieldtype::kDate) {
      values[last] = !Trim(value).empty() && IsDate(Variant(value), loc)
                         ? Variant::Date(ToDate(Variant(value), loc))
                         : Variant::Null();
    } else {
      // The filter is written as a criterion: numbers take "." as the decimal point.
      values[last] = Variant(LeadingNumber(value));
    }
  }
  return last;
}

}  // namespace orvo
