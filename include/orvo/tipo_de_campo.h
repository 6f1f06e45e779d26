// TipoDeCampo: the field kinds, the value of DataType.
#pragma once

#include <cstdint>

namespace orvo {

enum class TipoDeCampo : int32_t {
  Character = 0,
  Numeric = 1,
  Date = 2,
  Spinner = 3,
  Memo = 4,
  Boolean = 5,
  Option = 6,
};

inline bool IsNumericKind(TipoDeCampo k) {
  return k == TipoDeCampo::Numeric || k == TipoDeCampo::Spinner;
}

}  // namespace orvo
