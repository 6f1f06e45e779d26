// The library's named glyphs drawn as patterns of dots: the browse button's arrow and dots
// and the calculator's key faces.
#pragma once

#include <QIcon>
#include <QPalette>
#include <string>

namespace orvo {

// Whether the picture `name` is one of the patterned glyphs.
bool IsPatternGlyph(const std::string& name);

// The glyph as an icon for a button: in the button text colour, and greyed for the disabled
// button. Each dot is a whole number of device pixels, more as the screen's dots per inch
// grow, so that the glyph stays sharp. A null icon for a name that is no patterned glyph.
QIcon PatternGlyphIcon(const std::string& name, const QPalette& palette, qreal devicePixelRatio);

}  // namespace orvo
