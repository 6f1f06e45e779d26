// Reads a table's columns, collations and indexes through SQLite's catalogue pragmas.
#include "db/sqlite/sqlite_catalog.h"

#include <sqlite3.h>

#include "base/strings.h"

namespace orvo {

std::string OrderHint(const TableSchema& schema, const std::vector<KeyColumn>& order) {
  if (order.empty()) return " NOT INDEXED";
  if (order.size() == 1) {
    // The integer primary key is the row id: its order is the table's own.
    for (const auto& index : schema.indexes) {
      if (index.primary && index.engineName.empty() &&
          UCase(index.columns[0].name) == UCase(order[0].name) && !order[0].descending) {
        return " NOT INDEXED";
      }
    }
  }
  const IndexSchema* index = schema.IndexForOrder(order);
  return index ? " INDEXED BY " + QuoteIdentifier(index->engineName) : "";
}

namespace {

std::string ColumnCollation(SqliteConnection& conn, const std::string& table,
                            const std::string& column) {
  const char* collation = nullptr;
  if (sqlite3_table_column_metadata(conn.Handle(), "main", Latin1ToUtf8(table).c_str(),
                                    Latin1ToUtf8(column).c_str(), nullptr, &collation, nullptr,
                                    nullptr, nullptr) != SQLITE_OK ||
      !collation) {
    return "BINARY";
  }
  return UCase(collation);
}

}  // namespace

std::optional<TableSchema> ReadTableSchema(SqliteConnection& conn, const std::string& name) {
  TableSchema schema;
  {
    SqlQuery find(conn,
                  "SELECT name, type, sql FROM sqlite_master WHERE type IN ('table','view') "
                  "AND name = ?1 COLLATE NOCASE");
    find.Bind(1, SqlValue::Text(name));
    if (!find.Step()) return std::nullopt;
    schema.name = find.ColumnText(0);
    schema.isView = find.ColumnText(1) == "view";
    schema.hasRowid =
        !schema.isView && UCase(find.ColumnText(2)).find("WITHOUT ROWID") == std::string::npos;
  }
  std::string integerKey;  // the column that is the row id, if any
  int primaryCount = 0;
  {
    SqlQuery info(conn, "SELECT name, type, pk FROM pragma_table_info(?1)");
    info.Bind(1, SqlValue::Text(schema.name));
    std::string lastPrimary, lastPrimaryType;
    while (info.Step()) {
      ColumnInfo column = ColumnFromDeclType(info.ColumnText(0), info.ColumnText(1));
      if (!schema.isView) column.collation = ColumnCollation(conn, schema.name, column.name);
      if (info.ColumnInt(2) > 0) {
        ++primaryCount;
        lastPrimary = column.name;
        lastPrimaryType = UCase(column.declType);
      }
      schema.columns.push_back(std::move(column));
    }
    if (primaryCount == 1 && lastPrimaryType == "INTEGER" && schema.hasRowid) {
      integerKey = lastPrimary;
    }
  }
  if (schema.isView) return schema;
  if (!integerKey.empty()) {
    IndexSchema primary;
    primary.name = "PrimaryKey";
    primary.primary = primary.unique = true;
    primary.columns.push_back({integerKey, false, ""});
    schema.indexes.push_back(std::move(primary));
  }
  struct Listed {
    std::string name, origin;
    bool partial;
  };
  std::vector<Listed> list;
  {
    SqlQuery indexes(conn,
                     "SELECT name, origin, partial FROM pragma_index_list(?1) ORDER BY seq DESC");
    indexes.Bind(1, SqlValue::Text(schema.name));
    while (indexes.Step()) {
      list.push_back({indexes.ColumnText(0), indexes.ColumnText(1), indexes.ColumnInt(2) != 0});
    }
  }
  for (const auto& [indexName, origin, partial] : list) {
    IndexSchema index;
    index.partial = partial;
    index.engineName = indexName;
    index.primary = origin == "pk";
    index.name = index.primary ? "PrimaryKey" : indexName;
    index.unique = origin != "c";
    SqlQuery columns(
        conn, "SELECT cid, name, desc, coll FROM pragma_index_xinfo(?1) WHERE key ORDER BY seqno");
    columns.Bind(1, SqlValue::Text(indexName));
    while (columns.Step()) {
      if (columns.ColumnInt(0) < 0) {
        index.usable = false;
        continue;
      }
      KeyColumn key{columns.ColumnText(1), columns.ColumnInt(2) != 0, UCase(columns.ColumnText(3))};
      int at = schema.FindColumn(key.name);
      if (at >= 0 && schema.columns[at].collation == key.collation) key.collation.clear();
      index.columns.push_back(std::move(key));
    }
    if (index.primary) {
      schema.indexes.insert(schema.indexes.begin(), std::move(index));
    } else {
      schema.indexes.push_back(std::move(index));
    }
  }
  return schema;
}

}  // namespace orvo
