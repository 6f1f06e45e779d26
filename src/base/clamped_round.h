// Rounding to 16- and 32-bit integers, halves to even, clamped to the type's range.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/variant.h"

namespace orvo {

// The nearest 16-bit integer, halves to even; values beyond the range clamp to its ends
// (layout sums that leave the range must not fail). NaN gives 0.
inline int16_t ClampI16(double x) {
  if (std::isnan(x)) return 0;
  double r = RoundHalfEven(x);
  if (r > 32767) return 32767;
  if (r < -32768) return -32768;
  return static_cast<int16_t>(r);
}

inline int32_t ClampI32(double x) {
  if (std::isnan(x)) return 0;
  double r = RoundHalfEven(x);
  if (r > 2147483647.0) return 2147483647;
  if (r < -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(r);
}

}  // namespace orvo
