// The error numbers form files raise (the classic runtime's file errors).
#pragma once

#include <cstdint>

namespace orvo::err {
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kFileAccess = 75;
inline constexpr int32_t kBadFileFormat = 321;
}  // namespace orvo::err
