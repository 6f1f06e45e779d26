// The headless text measure.
#include "host/headless/headless_text_metrics.h"

#include <algorithm>
#include <cmath>

namespace orvo {

namespace {

float SizeOf(const Font* font) {
  return font ? font->size : 8.25f;
}

}  // namespace

int HeadlessCharWidthPixels(const Font* font) {
  return std::max(1, static_cast<int>(std::lround(SizeOf(font) * 8.0f / 11.0f)));
}

int HeadlessLineHeightPixels(const Font* font) {
  return std::max(1, static_cast<int>(std::lround(SizeOf(font) * 13.0f / 8.25f)));
}

float HeadlessTextWidth(const Font* font, const std::string& text) {
  size_t longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      longest = std::max(longest, current);
      current = 0;
    } else if (c != '\r') {
      ++current;
    }
  }
  longest = std::max(longest, current);
  return static_cast<float>(longest) * HeadlessCharWidthPixels(font) * kHeadlessTwipsPerPixel;
}

float HeadlessTextHeight(const Font* font, const std::string& text) {
  size_t lines = 1 + std::count(text.begin(), text.end(), '\n');
  return static_cast<float>(lines) * HeadlessLineHeightPixels(font) * kHeadlessTwipsPerPixel;
}

}  // namespace orvo
