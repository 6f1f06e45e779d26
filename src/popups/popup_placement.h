// Where a drop-down opens: beside its control on the screen, above it when there is no room
// below. Twips in screen coordinates, from the control's screen rectangle in pixels.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host_objects.h"

namespace orvo {

struct PopupPlace {
  float left = 0;
  float top = 0;
};

// The calendar and the calculator: right-aligned with the control's whole window one pixel
// (15 twips) inside its right edge, clamped at the screen's left edge; below the control,
// or above it when the popup would leave the screen's bottom.
PopupPlace PlaceBesideControl(const Rect& controlPixels, float controlHeight, float popupWidth,
                              float popupHeight, float twipsPerPixelX, float twipsPerPixelY,
                              float screenHeight);

// The lookup list: left-aligned with the field box, one pixel below it, or one pixel above it
// when the list would leave the screen's bottom.
PopupPlace PlaceBelowField(const Rect& fieldPixels, float popupHeight, float twipsPerPixelX,
                           float twipsPerPixelY, float screenHeight);

// The calculator's number format for a field: with I integer digits and D decimals,
// D > 0 gives I - 1 "#", "0." and D "0" (5, 2 -> "####0.00"); D = 0 gives I "#".
std::string CalculatorFormat(int16_t integerDigits, int16_t decimalDigits);

}  // namespace orvo
