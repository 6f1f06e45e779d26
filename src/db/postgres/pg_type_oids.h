// Type OIDs of PostgreSQL's built-in types, fixed by the server's catalogue.
#pragma once

#include <cstdint>

namespace orvo::pgtype {

inline constexpr uint32_t kBool = 16;
inline constexpr uint32_t kBytea = 17;
inline constexpr uint32_t kChar = 18;
inline constexpr uint32_t kName = 19;
inline constexpr uint32_t kInt8 = 20;
inline constexpr uint32_t kInt2 = 21;
inline constexpr uint32_t kInt4 = 23;
inline constexpr uint32_t kText = 25;
inline constexpr uint32_t kOid = 26;
inline constexpr uint32_t kFloat4 = 700;
inline constexpr uint32_t kFloat8 = 701;
inline constexpr uint32_t kMoney = 790;
inline constexpr uint32_t kBpchar = 1042;
inline constexpr uint32_t kVarchar = 1043;
inline constexpr uint32_t kDate = 1082;
inline constexpr uint32_t kTime = 1083;
inline constexpr uint32_t kTimestamp = 1114;
inline constexpr uint32_t kTimestamptz = 1184;
inline constexpr uint32_t kNumeric = 1700;

}  // namespace orvo::pgtype
