// 16-bit helpers: booleans as -1/0 and clamped round-half-even conversions.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/variant.h"

namespace orvo {

inline int16_t Bool16(bool b) { return b ? -1 : 0; }

// The nearest 16-bit integer, halves to even; values beyond the range clamp to its ends
// (layout sums that leave the range must not fail).
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
