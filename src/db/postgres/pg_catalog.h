// Reading PostgreSQL's catalogue into table schemas: columns with their types and sizes in
// the recordsets' field kinds, indexes with their key columns, and the row identity.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/keyset/table_schema.h"
#include "db/postgres/pg_connection.h"

namespace orvo {

// A column of a type (OID and modifier, as the catalogue and result rows give them).
ColumnInfo PgColumn(std::string name, uint32_t typeOid, int typeModifier);

// The table or view of that name, matched without regard to case (an exact match first)
// among those the search path shows; nullopt when there is none. A column whose collation
// is not deterministic (e.g. a case-insensitive ICU collation) reports the collation
// "NOCASE". The row identity is the primary key, or else a unique index over columns that
// are never NULL; a table with neither has none (hasRowid false) and is read as a dynaset.
std::optional<TableSchema> ReadPgTableSchema(PgConnection& conn, const std::string& name);
// The same, kept by the connection once read (see PgConnection::KnownSchema).
std::optional<TableSchema> PgTableSchema(PgConnection& conn, const std::string& name);

// The names a statement may use, lower-cased -> as the catalogue spells them: the tables
// among `words` and all their columns.
std::map<std::string, std::string> ReadPgNames(PgConnection& conn,
                                               const std::vector<std::string>& words);

}  // namespace orvo
