// PostgreSQL's open functions: turn a table name or a statement into a keyset recordset.
#pragma once

#include <string>

#include "db/keyset/keyset_recordset.h"
#include "db/postgres/pg_connection.h"

namespace orvo {

// Raises 3078 for a table that does not exist, 3800 for an unknown index.
RecordsetRef OpenPgTable(const PgConnectionRef& conn, const std::string& name,
                         const std::string& index);
// A statement in the control's dialect, or a bare table name. Plain one-table selects are
// walked by key over the table; anything else (joins, grouping, TOP n, views, tables
// without a row identity) is materialised into a temporary table in statement order.
RecordsetRef OpenPgStatement(const PgConnectionRef& conn, const std::string& text,
                             RecordsetFlavour flavour);

}  // namespace orvo
