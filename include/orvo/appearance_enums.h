// The enumerations of the control's look: caption placement, border, button, spinner and
// caption shape (Portuguese type names, English members).
#pragma once

#include <cstdint>

namespace orvo {

enum class Orientacao : int32_t { Vertical = 0, Horizontal = 1 };
enum class TipoBot : int32_t { None = 0, DropDown = 1, Ellipsis = 2 };
enum class Aparencia : int32_t { Flat = 0, ThreeD = 1 };  // "3D"
enum class TipoAlinhamento : int32_t {
  FieldTop = 0,
  FieldBottom = 1,
  FieldLeft = 2,
  FieldRight = 3
};
enum class TipoShape : int32_t {
  Rectangle = 0,
  Square = 1,
  Oval = 2,
  Circle = 3,
  RoundedRectangle = 4,
  RoundedSquare = 5,
};
enum class EstiloShape : int32_t {
  Solid = 0,
  Transparent = 1,
  HorizontalLine = 2,
  VerticalLine = 3,
  UpwardDiagonal = 4,
  DownwardDiagonal = 5,
  Cross = 6,
  DiagonalCross = 7,
};
enum class TipoBorda : int32_t { None = 0, FixedSingle = 1 };
enum class TipoBordaShape : int32_t {
  Transparent = 0,
  Solid = 1,
  Dash = 2,
  Dot = 3,
  DashDot = 4,
  DashDotDot = 5,
  InsideSolid = 6,
};

}  // namespace orvo
