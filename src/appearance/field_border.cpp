// The field's border lines: an outer and, when 3D, an inner rectangle, shadow above and left.
#include "appearance/field_border.h"

namespace orvo {

std::vector<DrawnLine> FieldBorderLines(Aparencia appearance, TipoBorda borderStyle, float w,
                                        float h, float dx, float dy) {
  if (appearance != Aparencia::ThreeD) {
    if (borderStyle == TipoBorda::None) return {};
    return {{0, h, 0, 0, kSys3DDarkShadow},
            {0, 0, w - dx, 0, kSys3DDarkShadow},
            {w - dx, 0, w - dx, h - dy, kSys3DDarkShadow},
            {w - dx, h - dy, 0, h - dy, kSys3DDarkShadow}};
  }
  return {{0, h, 0, 0, kSysButtonShadow},
          {0, 0, w - dx, 0, kSysButtonShadow},
          {w - dx, 0, w - dx, h - dy, kSysButtonHighlight},
          {w - dx, h - dy, 0, h - dy, kSysButtonHighlight},
          {dx, h - 2 * dy, dx, dy, kSys3DDarkShadow},
          {dx, dy, w - 2 * dx, dy, kSys3DDarkShadow},
          {w - 2 * dx, dy, w - 2 * dx, h - 2 * dy, kSys3DLight},
          {w - 2 * dx, h - 2 * dy, dx, h - 2 * dy, kSys3DLight}};
}

}  // namespace orvo
