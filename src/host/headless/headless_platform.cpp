// The headless platform's text measure.
#include <algorithm>
#include <cmath>

#include "host/headless/headless_host.h"

namespace orvo {

namespace {

constexpr float kTwipsPerPixel = 15;

float SizeOf(const Font* font) {
  return font ? font->size : 8.25f;
}

float LineHeight(const Font* font) {
  return std::max(1.0f, std::round(SizeOf(font) * 13.0f / 8.25f)) * kTwipsPerPixel;
}

}  // namespace

float HeadlessPlatform::CharWidth(const Font* font) const {
  return std::max(1.0f, std::round(SizeOf(font) * 8.0f / 11.0f)) * kTwipsPerPixel;
}

float HeadlessPlatform::TextWidth(const Font* font, const std::string& text) const {
  size_t longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      longest = std::max(longest, current);
      current = 0;
    } else if (c != '\r') {
      ++current;
    }
  }
  return static_cast<float>(std::max(longest, current)) * CharWidth(font);
}

float HeadlessPlatform::TextHeight(const Font* font, const std::string& text) const {
  return static_cast<float>(1 + std::count(text.begin(), text.end(), '\n')) * LineHeight(font);
}

}  // namespace orvo
