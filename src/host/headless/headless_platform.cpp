// The headless platform's text measure.
#include "host/headless/headless_host.h"
#include "host/headless/headless_text_metrics.h"

namespace orvo {

float HeadlessPlatform::TextWidth(const Font* font, const std::string& text) const {
  return HeadlessTextWidth(font, text);
}

float HeadlessPlatform::TextHeight(const Font* font, const std::string& text) const {
  return HeadlessTextHeight(font, text);
}

float HeadlessPlatform::CharWidth(const Font* font) const {
  return static_cast<float>(HeadlessCharWidthPixels(font)) * kHeadlessTwipsPerPixel;
}

}  // namespace orvo
