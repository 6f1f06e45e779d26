// The focus outline around the caption, in the surface's pixels.
#include "appearance/caption.h"

#include "base/clamped_round.h"

namespace orvo {

Rect CaptionFocusRect(const Placement& c, float tppX, float tppY) {
  Rect r;
  r.left = ClampI32((c.left - 5) / tppX);
  r.top = ClampI32((c.top - 5) / tppY);
  r.right = ClampI32((c.left + c.width + 10) / tppX);
  r.bottom = ClampI32((c.top + c.height + 5) / tppY);
  return r;
}

}  // namespace orvo
