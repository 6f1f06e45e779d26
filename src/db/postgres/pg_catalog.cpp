// Catalogue queries: pg_class, pg_attribute, pg_index.
#include "db/postgres/pg_catalog.h"

#include <cstdlib>
#include <sstream>

#include "base/strings.h"
#include "db/postgres/pg_type_oids.h"

namespace orvo {

ColumnInfo PgColumn(std::string name, uint32_t typeOid, int typeModifier) {
  ColumnInfo info;
  info.name = std::move(name);
  auto set = [&](ColumnKind kind, int32_t size, const char* decl) {
    info.kind = kind;
    info.size = size;
    info.declType = decl;
  };
  switch (typeOid) {
    case pgtype::kBool:
      set(ColumnKind::Boolean, 1, "boolean");
      break;
    case pgtype::kInt2:
      set(ColumnKind::Integer, 2, "smallint");
      break;
    case pgtype::kInt4:
    case pgtype::kOid:
      set(ColumnKind::Long, 4, "integer");
      break;
    case pgtype::kInt8:
      set(ColumnKind::BigInt, 8, "bigint");
      break;
    case pgtype::kFloat4:
      set(ColumnKind::Single, 4, "real");
      break;
    case pgtype::kFloat8:
    case pgtype::kNumeric:
      set(ColumnKind::Double, 8, typeOid == pgtype::kNumeric ? "numeric" : "double precision");
      break;
    case pgtype::kMoney:
      set(ColumnKind::Currency, 8, "money");
      break;
    case pgtype::kDate:
    case pgtype::kTime:
    case pgtype::kTimestamp:
    case pgtype::kTimestamptz:
      set(ColumnKind::Date, 8, "timestamp");
      break;
    case pgtype::kVarchar:
    case pgtype::kBpchar:
      // The modifier of a character type is its length plus 4; -1 when none was declared.
      set(ColumnKind::Text, typeModifier > 4 ? typeModifier - 4 : 255, "varchar");
      break;
    case pgtype::kChar:
      set(ColumnKind::Text, 1, "char");
      break;
    case pgtype::kName:
      set(ColumnKind::Text, 63, "name");
      break;
    case pgtype::kBytea:
      set(ColumnKind::Binary, 0, "bytea");
      break;
    default:
      set(ColumnKind::Memo, 0, "text");
      break;
  }
  return info;
}

namespace {

std::vector<int> Numbers(const std::string& text) {
  std::vector<int> out;
  std::istringstream in(text);
  int n;
  while (in >> n) out.push_back(n);
  return out;
}

}  // namespace

std::optional<TableSchema> ReadPgTableSchema(PgConnection& conn, const std::string& name) {
  TableSchema schema;
  std::string oid;
  {
    PgRows found = conn.Query(
        "SELECT c.oid, c.relname, c.relkind FROM pg_class c WHERE c.relkind IN "
        "('r','v','m','p','f') AND lower(c.relname) = lower(?::text) AND "
        "pg_table_is_visible(c.oid) ORDER BY c.relname = ?::text DESC LIMIT 1",
        {SqlValue::Text(name), SqlValue::Text(name)});
    if (found.Count() == 0) return std::nullopt;
    oid = found.Text(0, 0);
    schema.name = found.Text(0, 1);
    std::string kind = found.Text(0, 2);
    schema.isView = kind != "r" && kind != "p";
  }
  std::map<int, size_t> byNumber;  // attnum -> column
  {
    PgRows columns = conn.Query(
        "SELECT a.attnum, a.attname, a.atttypid, a.atttypmod, a.attnotnull,"
        " coalesce(co.collisdeterministic, true) FROM pg_attribute a"
        " LEFT JOIN pg_collation co ON co.oid = a.attcollation"
        " WHERE a.attrelid = ?::oid AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum",
        {SqlValue::Text(oid)});
    for (int r = 0; r < columns.Count(); ++r) {
      ColumnInfo column = PgColumn(columns.Text(r, 1), static_cast<uint32_t>(columns.Integer(r, 2)),
                                   static_cast<int>(columns.Integer(r, 3)));
      column.notNull = columns.Text(r, 4) == "t";
      if (columns.Text(r, 5) == "f") column.collation = "NOCASE";
      byNumber[static_cast<int>(columns.Integer(r, 0))] = schema.columns.size();
      schema.columns.push_back(std::move(column));
    }
  }
  schema.hasRowid = false;
  if (schema.isView) return schema;
  PgRows indexes = conn.Query(
      "SELECT i.relname, x.indisprimary, x.indisunique, x.indpred IS NOT NULL,"
      " x.indexprs IS NOT NULL, x.indnkeyatts, x.indkey::text, x.indoption::text"
      " FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid"
      " WHERE x.indrelid = ?::oid ORDER BY x.indisprimary DESC, i.oid",
      {SqlValue::Text(oid)});
  for (int r = 0; r < indexes.Count(); ++r) {
    IndexSchema index;
    index.engineName = indexes.Text(r, 0);
    index.primary = indexes.Text(r, 1) == "t";
    index.unique = indexes.Text(r, 2) == "t";
    index.partial = indexes.Text(r, 3) == "t";
    index.name = index.primary ? "PrimaryKey" : index.engineName;
    const int keyCount = static_cast<int>(indexes.Integer(r, 5));
    std::vector<int> keys = Numbers(indexes.Text(r, 6));
    std::vector<int> options = Numbers(indexes.Text(r, 7));
    bool neverNull = true;
    for (int k = 0; k < keyCount && k < static_cast<int>(keys.size()); ++k) {
      auto at = byNumber.find(keys[k]);
      if (at == byNumber.end()) {
        index.usable = false;  // an expression
        continue;
      }
      const ColumnInfo& column = schema.columns[at->second];
      neverNull = neverNull && column.notNull;
      // indoption bit 0: descending.
      bool descending = k < static_cast<int>(options.size()) && (options[k] & 1) != 0;
      index.columns.push_back({column.name, descending, ""});
    }
    if (!schema.hasRowid && index.unique && index.usable && !index.partial && neverNull &&
        !index.columns.empty()) {
      schema.hasRowid = true;
      for (const KeyColumn& key : index.columns) schema.rowIdentity.push_back(key.name);
    }
    schema.indexes.push_back(std::move(index));
  }
  return schema;
}

std::optional<TableSchema> PgTableSchema(PgConnection& conn, const std::string& name) {
  if (const TableSchema* known = conn.KnownSchema(name)) return *known;
  auto schema = ReadPgTableSchema(conn, name);
  // A table not found is asked again next time: it may be created meanwhile.
  if (schema) conn.RememberSchema(name, *schema);
  return schema;
}

std::map<std::string, std::string> ReadPgNames(PgConnection& conn,
                                               const std::vector<std::string>& words) {
  std::map<std::string, std::string> names;
  if (words.empty()) return names;
  // An array literal of the lower-cased words: {"a","b"} with quotes and backslashes escaped.
  std::string array = "{";
  for (size_t i = 0; i < words.size(); ++i) {
    array += i ? ",\"" : "\"";
    for (char c : LCase(words[i])) {
      if (c == '"' || c == '\\') array += '\\';
      array += c;
    }
    array += '"';
  }
  array += "}";
  PgRows rows = conn.Query(
      "SELECT c.relname, a.attname FROM pg_class c LEFT JOIN pg_attribute a"
      " ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped"
      " WHERE c.relkind IN ('r','v','m','p','f') AND pg_table_is_visible(c.oid)"
      " AND lower(c.relname) = ANY (?::text[])",
      {SqlValue::Text(array)});
  for (int r = 0; r < rows.Count(); ++r) {
    names.emplace(LCase(rows.Text(r, 0)), rows.Text(r, 0));
    if (!rows.IsNull(r, 1)) names.emplace(LCase(rows.Text(r, 1)), rows.Text(r, 1));
  }
  return names;
}

}  // namespace orvo
