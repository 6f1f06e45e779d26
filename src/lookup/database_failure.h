// IsDatabaseFailure: whether an error says a recordset's database failed as a whole.
#pragma once

#include <cstdint>

#include "base/error.h"

namespace orvo {

inline constexpr int32_t kDatabaseUnreachable = 3151;  // connection refused or lost
inline constexpr int32_t kDatabaseLocked = 3218;       // held by another user

// The database behind a recordset failed as a whole (unreachable, held by another user), as
// opposed to one record or field: a list's reads, which step past a record gone, must let
// it through, or a lost connection would pass unseen and the next read quietly reconnect.
inline bool IsDatabaseFailure(const Error& e) {
  return e.Number() == kDatabaseUnreachable || e.Number() == kDatabaseLocked;
}

}  // namespace orvo
