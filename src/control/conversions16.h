// 16-bit helpers: booleans as -1/0 and clamped round-half-even conversions.
#pragma once

#include <cstdint>

#include "base/clamped_round.h"

namespace orvo {

inline int16_t Bool16(bool b) {
  return b ? -1 : 0;
}

}  // namespace orvo
