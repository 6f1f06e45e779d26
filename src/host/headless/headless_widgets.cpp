// The simple headless widgets.
#include "host/headless/headless_widgets.h"

#include <algorithm>

#include "base/error.h"

namespace orvo {

HeadlessLabel::HeadlessLabel(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                             WidgetCore* parent)
    : HeadlessWidget(host, window, site, parent, CoreKind::Label),
      font_(host.AmbientFont()->Clone()) {
  AutoSize();
}

void HeadlessLabel::SetCaption(const std::string& s) {
  caption_ = s;
  AutoSize();
}

void HeadlessLabel::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  AutoSize();
}

void HeadlessLabel::AutoSize() {
  core_.width = HeadlessTextWidth(font_.get(), caption_);
  core_.height = HeadlessTextHeight(font_.get(), caption_);
}

void HeadlessCommandButton::SetValue(bool v) {
  if (!v) return;
  if (auto click = OnClick) click();
}

HeadlessScrollBar::HeadlessScrollBar(HeadlessHost& host, HeadlessWindow* window, HeadlessSite* site,
                                     WidgetCore* parent, bool vertical)
    : HeadlessWidget(host, window, site, parent, CoreKind::ScrollBar), vertical_(vertical) {
  // The classic bar's breadth: 17 pixels.
  if (vertical)
    core_.width = 255, core_.height = 1200;
  else
    core_.width = 1200, core_.height = 255;
}

int16_t HeadlessScrollBar::Clamp(int32_t v) const {
  int32_t lo = std::min(min_, max_), hi = std::max(min_, max_);
  return static_cast<int16_t>(std::clamp(v, lo, hi));
}

void HeadlessScrollBar::SetValue(int16_t v) {
  int16_t clamped = Clamp(v);
  if (clamped == value_) return;
  value_ = clamped;
  if (auto change = OnChange) change();
}

void HeadlessScrollBar::SetMin(int16_t v) {
  min_ = v;
  SetValue(value_);
}

void HeadlessScrollBar::SetMax(int16_t v) {
  max_ = v;
  SetValue(value_);
}

void HeadlessScrollBar::SetSmallChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  smallChange_ = v;
}

void HeadlessScrollBar::SetLargeChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  largeChange_ = v;
}

void HeadlessScrollBar::Step(ScrollPart part) {
  // Towards Max is upwards in value unless the range is inverted.
  int32_t towardsMax = max_ >= min_ ? 1 : -1;
  int32_t step =
      (part == ScrollPart::ArrowMin || part == ScrollPart::ArrowMax) ? smallChange_ : largeChange_;
  if (part == ScrollPart::ArrowMin || part == ScrollPart::PageMin) towardsMax = -towardsMax;
  SetValue(Clamp(int32_t{value_} + towardsMax * step));
}

}  // namespace orvo
