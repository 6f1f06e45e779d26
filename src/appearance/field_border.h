// FieldBorderLines: the lines of the field's flat or sunken border (twips).
#pragma once

#include <vector>

#include "appearance/appearance_enums.h"
#include "platform/widgets.h"

namespace orvo {

// The border of a field of `width` x `height`, with a pen `penX` x `penY` twips wide: four
// dark lines when flat with a single border, eight in two shades when 3D, none otherwise.
std::vector<DrawnLine> FieldBorderLines(Aparencia appearance, TipoBorda borderStyle, float width,
                                        float height, float penX, float penY);

}  // namespace orvo
