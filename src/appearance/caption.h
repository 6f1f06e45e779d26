// The caption's parts: whether its shape is drawn, and the focus outline around it.
#pragma once

#include "appearance/appearance_enums.h"
#include "appearance/layout.h"
#include "platform/host_objects.h"

namespace orvo {

// The shape behind the caption shows when either focus state fills it.
inline bool CaptionFillVisible(EstiloShape onFocus, EstiloShape noFocus) {
  return onFocus != EstiloShape::Transparent || noFocus != EstiloShape::Transparent;
}

// The dotted outline drawn around a focused check or option caption, in pixels: 5 twips
// out on the left, top and bottom, 10 on the right.
Rect CaptionFocusRect(const Placement& caption, float twipsPerPixelX, float twipsPerPixelY);

}  // namespace orvo
