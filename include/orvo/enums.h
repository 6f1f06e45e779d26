// The enumerations of the control's interface (Portuguese type names, English members).
#pragma once

#include <cstdint>

#include "orvo/appearance_enums.h"
#include "orvo/tipo_de_campo.h"

namespace orvo {

enum class Ponteiro : int32_t {
  Default = 0,
  Arrow = 1,
  Cross = 2,
  IBeam = 3,
  Icon = 4,
  Size = 5,
  SizeNESW = 6,
  SizeNS = 7,
  SizeNWSE = 8,
  SizeWE = 9,
  UpArrow = 10,
  HourGlass = 11,
  NoDrop = 12,
  ArrowHourglass = 13,
  ArrowQuestion = 14,
  SizeAll = 15,
  Custom = 99,
};

}  // namespace orvo
