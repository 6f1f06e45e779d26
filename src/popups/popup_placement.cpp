// Placing drop-downs on the screen, and the calculator's number format for a field.
#include "popups/popup_placement.h"

#include <algorithm>

namespace orvo {

PopupPlace PlaceBesideControl(const Rect& controlPixels, float controlHeight, float popupWidth,
                              float popupHeight, float twipsPerPixelX, float twipsPerPixelY,
                              float screenHeight) {
  PopupPlace p;
  p.left = std::max(0.0f, controlPixels.right * twipsPerPixelX - popupWidth - 15);
  const float top = controlPixels.top * twipsPerPixelY;
  p.top = top + controlHeight + 15;
  if (p.top + popupHeight > screenHeight) p.top = top - popupHeight - 15;
  return p;
}

PopupPlace PlaceBelowField(const Rect& fieldPixels, float popupHeight, float twipsPerPixelX,
                           float twipsPerPixelY, float screenHeight) {
  PopupPlace p;
  p.left = fieldPixels.left * twipsPerPixelX;
  const float top = fieldPixels.top * twipsPerPixelY;
  const float height = (fieldPixels.bottom - fieldPixels.top) * twipsPerPixelY;
  p.top = top + height + twipsPerPixelY;
  if (p.top + popupHeight > screenHeight) p.top = top - popupHeight - twipsPerPixelY;
  return p;
}

std::string CalculatorFormat(int16_t integerDigits, int16_t decimalDigits) {
  const int integers = std::max<int>(integerDigits, 0);
  if (decimalDigits <= 0) return std::string(integers, '#');
  return std::string(std::max(integers - 1, 0), '#') + "0." + std::string(decimalDigits, '0');
}

}  // namespace orvo
