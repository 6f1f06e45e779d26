// Segments of keyset walks.
#include "db/keyset/key_segments.h"

namespace orvo {

SqlFragment AndConditions(const SqlFragment& where, const SqlFragment* extra) {
  SqlFragment out;
  for (const SqlFragment* part : {&where, extra}) {
    if (!part || part->sql.empty()) continue;
    out.Append(" AND (");
    out.Append(*part);
    out.Append(")");
  }
  return out;
}

SqlFragment KeyEquals(const std::string& keySql, const SqlValue& value,
                      const std::string& placeholder) {
  if (value.kind == SqlValue::Kind::Null) return {" AND " + keySql + " IS NULL", {}};
  return {" AND " + keySql + " = " + placeholder, {value}};
}

std::vector<SqlFragment> KeySegments(const std::vector<KeyLevel>& levels,
                                     const std::vector<SqlValue>& values, bool forward,
                                     bool inclusive) {
  std::vector<SqlFragment> segments;
  const size_t count = values.size();
  for (size_t jj = count; jj-- > 0;) {
    SqlFragment prefix;
    for (size_t p = 0; p < jj; ++p) {
      prefix.Append(KeyEquals(levels[p].sql, values[p], levels[p].placeholder));
    }
    const bool wantGreater = forward != levels[jj].descending;
    const bool strict = !(inclusive && jj + 1 == count);
    const SqlValue& b = values[jj];
    const bool isNull = b.kind == SqlValue::Kind::Null;
    const std::string& key = levels[jj].sql;
    const std::string& value = levels[jj].placeholder;
    auto add = [&](SqlFragment segment) {
      SqlFragment conditions = prefix;
      conditions.Append(segment);
      segments.push_back(std::move(conditions));
    };
    if (wantGreater) {
      if (!isNull)
        add({" AND " + key + (strict ? " > " : " >= ") + value, {b}});
      else if (strict)
        add({" AND " + key + " IS NOT NULL", {}});
      else
        add({});
    } else {
      if (!isNull) add({" AND " + key + (strict ? " < " : " <= ") + value, {b}});
      if (!isNull || !strict) add({" AND " + key + " IS NULL", {}});
    }
  }
  return segments;
}

}  // namespace orvo
