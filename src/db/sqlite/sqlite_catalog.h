// Reading SQLite's catalogue into table schemas, and steering its planner to an order's index.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/keyset/table_schema.h"
#include "db/sqlite/sqlite_connection.h"

namespace orvo {

// Reads the schema; nullopt when there is no table or view of that name (any case).
std::optional<TableSchema> ReadTableSchema(SqliteConnection& conn, const std::string& name);

// What to put after FROM to make the planner walk `order` through its index: " INDEXED BY"
// an index that yields it, " NOT INDEXED" for row id order, "" when no index yields it.
std::string OrderHint(const TableSchema& schema, const std::vector<KeyColumn>& order);

}  // namespace orvo
