// The headless host's deterministic text measure (twips), shared by every headless widget.
//
// A character is round(size x 8/11) pixels wide and a line round(size x 13/8.25) pixels
// high, so the default 8.25 pt font gives 6 x 13 pixels (90 x 195 twips) per character.
// Every character has the same width; a text is as wide as its longest line.
#pragma once

#include <string>

#include "platform/host_objects.h"

namespace orvo {

inline constexpr float kHeadlessTwipsPerPixel = 15;

int HeadlessCharWidthPixels(const Font* font);
int HeadlessLineHeightPixels(const Font* font);
float HeadlessTextWidth(const Font* font, const std::string& text);
// An empty text is one line high.
float HeadlessTextHeight(const Font* font, const std::string& text);

}  // namespace orvo
