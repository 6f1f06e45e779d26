// Error numbers the database engine raises, in the classic data-access numbering.
#pragma once

#include <cstdint>
#include <string>

namespace orvo::dberr {

inline constexpr int32_t kNotSupported = 438;      // "doesn't support this property"
inline constexpr int32_t kInvalidArgument = 3001;  // bad argument to an operation
inline constexpr int32_t kItemNotFound = 3265;     // unknown field or index
inline constexpr int32_t kNoCurrentRecord = 3021;
inline constexpr int32_t kFileNotFound = 3024;       // database file missing
inline constexpr int32_t kCannotOpen = 3051;         // read-only or not openable
inline constexpr int32_t kNotADatabase = 3343;       // unrecognised/corrupt file
inline constexpr int32_t kTableNotFound = 3078;      // input table or query not found
inline constexpr int32_t kNotAnIndex = 3800;         // "is not an index in this table"
inline constexpr int32_t kNoCurrentIndex = 3019;     // Seek without an Index
inline constexpr int32_t kSyntaxInCriterion = 3075;  // malformed criterion
inline constexpr int32_t kSyntaxInStatement = 3141;  // malformed statement
inline constexpr int32_t kTypeMismatchInCriterion = 3464;
inline constexpr int32_t kInvalidBookmark = 3159;
inline constexpr int32_t kRecordDeleted = 3167;
inline constexpr int32_t kObjectClosed = 3420;      // object invalid or no longer set
inline constexpr int32_t kLocked = 3218;            // database busy/locked
inline constexpr int32_t kReadOnly = 3027;          // database is read-only
inline constexpr int32_t kDiskFull = 3026;          // no room left to write
inline constexpr int32_t kEngineError = 3146;       // any other engine failure
inline constexpr int32_t kConnectionFailed = 3151;  // server unreachable or connection lost
inline constexpr int32_t kWrongFamily = 3251;       // operation not for this recordset type

}  // namespace orvo::dberr
