// SQLite's spelling of the dialect: "?" placeholders, LIKE ... ESCAPE '\', 1 and 0, and
// bracketed names double-quoted (SQLite itself matches names without regard to case).
#pragma once

#include "db/dialect/sql_back_end.h"

namespace orvo {

const SqlBackEnd& SqliteBackEnd();

}  // namespace orvo
