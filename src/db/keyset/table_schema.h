// TableSchema: a table's columns and indexes as either engine reads them from its catalogue.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/dialect/column_kind.h"

namespace orvo {

struct KeyColumn {
  std::string name;  // column name; "rowid" for the row id itself
  bool descending = false;
  std::string collation;  // "" when it is the column's own
};

struct IndexSchema {
  std::string name;        // as the recordset reports it: "PrimaryKey" for the primary key
  std::string engineName;  // the index's name in the database, "" for the row id order
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
  bool hasRowid = true;  // rows have an identity: SQLite's row id, or a primary key
  // The columns that identify a row when it is not SQLite's row id: the primary key.
  std::vector<std::string> rowIdentity;
  std::vector<ColumnInfo> columns;
  std::vector<IndexSchema> indexes;

  int FindColumn(const std::string& name) const;  // case-insensitive; -1 when absent
  const IndexSchema* FindIndex(const std::string& name) const;
  // An index whose leading columns give `order` (read forwards or backwards), if any.
  const IndexSchema* IndexForOrder(const std::vector<KeyColumn>& order) const;
};

}  // namespace orvo
