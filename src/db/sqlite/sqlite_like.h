// LIKE on SQLite as the control's searches need it: letters compare without regard to case,
// the accented letters of Latin-1 too ("sã" matches "SÃO PAULO"), where SQLite's own LIKE
// folds only A to Z.
#pragma once

struct sqlite3;

namespace orvo {

// Replaces like(pattern, text) and like(pattern, text, escape) on the connection: '%' any run
// of characters, '_' one character, the escape character making the next one literal. Other
// characters compare by code point after folding A-Z and U+00C0-U+00DE (but U+00D7) to lower
// case. NULL in, NULL out. SQLite no longer narrows such a LIKE to an index range by itself:
// the back end adds the range (SqliteBackEnd's PrefixRange).
void RegisterCaselessLike(sqlite3* db);

}  // namespace orvo
