// TableSchema: a table's columns and indexes as read from the database catalogue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/sqlite/column_kind.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

struct KeyColumn {
  std::string name;  // column name; "rowid" for the row id itself
  bool descending = false;
  std::string collation;  // "" when it is the column's own
};

struct IndexSchema {
  std::string name;        // as the recordset reports it: "PrimaryKey" for the primary key
  std::string sqliteName;  // the index's name in the database, "" for the rowid order
  std::vector<KeyColumn> columns;
  bool primary = false;
  bool unique = false;
  bool partial = false;            // has a WHERE clause: holds only some rows
  bool usable = true;              // false for expression indexes, which cannot order a recordset
  std::string FieldsText() const;  // "+Codigo;-Nome"
};

struct TableSchema {
  std::string name;  // as the catalogue spells it
  bool isView = false;
  bool hasRowid = true;
  std::vector<ColumnInfo> columns;
  std::vector<IndexSchema> indexes;

  int FindColumn(const std::string& name) const;  // case-insensitive; -1 when absent
  const IndexSchema* FindIndex(const std::string& name) const;
  // An index whose leading columns give `order` (read forwards or backwards), if any.
  const IndexSchema* IndexForOrder(const std::vector<KeyColumn>& order) const;
};

// Reads the schema; nullopt when there is no table or view of that name (any case).
std::optional<TableSchema> ReadTableSchema(SqliteConnection& conn, const std::string& name);

std::string QuoteIdentifier(const std::string& name);

// What to put after FROM to make the planner walk `order` through its index: " INDEXED BY"
// an index that yields it, " NOT INDEXED" for row id order, "" when no index yields it.
std::string OrderHint(const TableSchema& schema, const std::vector<KeyColumn>& order);

}  // namespace orvo
