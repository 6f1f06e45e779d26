// The simple widgets of the host model.
#include "host/core/core_widgets.h"

#include <algorithm>

#include "base/error.h"
#include "host/core/core_host.h"

namespace orvo {

CoreLabel::CoreLabel(CoreHost& host, CoreWindow* window, CoreSite* site)
    : CoreWidget(host, window, site, nullptr, WidgetKind::Label),
      font_(host.AmbientFont()->Clone()) {
  AutoSize();
}

void CoreLabel::SetCaption(const std::string& s) {
  caption_ = s;
  node_.Show(change::kContent);
  AutoSize();
}

void CoreLabel::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  node_.Show(change::kStyle);
  AutoSize();
}

void CoreLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AutoSize();
}

void CoreLabel::AutoSize() {
  if (!autoSize_) return;
  node_.width = host_.Platform().TextWidth(font_.get(), caption_);
  node_.height = host_.Platform().TextHeight(font_.get(), caption_);
  node_.Show(change::kGeometry);
}

void CorePictureBox::Cls() {
  lines_.clear();
  node_.Show(change::kContent);
}

void CorePictureBox::Line(float x1, float y1, float x2, float y2, Color color) {
  lines_.push_back({x1, y1, x2, y2, color});
  node_.Show(change::kContent);
}

void CoreCommandButton::SetValue(bool v) {
  if (!v) return;
  if (auto click = OnClick) click();
}

void CoreCommandButton::NativeChar(int16_t keyAscii) {
  if (keyAscii == vk::kReturn || keyAscii == vk::kSpace)
    if (auto click = OnClick) click();
}

CoreScrollBar::CoreScrollBar(CoreHost& host, CoreWindow* window, CoreSite* site, WidgetNode* parent,
                             bool vertical)
    : CoreWidget(host, window, site, parent, WidgetKind::ScrollBar), vertical_(vertical) {
  // The classic bar's breadth: 17 pixels.
  if (vertical)
    node_.width = 255, node_.height = 1200;
  else
    node_.width = 1200, node_.height = 255;
}

int16_t CoreScrollBar::Clamp(int32_t v) const {
  int32_t lo = std::min(min_, max_), hi = std::max(min_, max_);
  return static_cast<int16_t>(std::clamp(v, lo, hi));
}

void CoreScrollBar::SetValue(int16_t v) {
  int16_t clamped = Clamp(v);
  if (clamped == value_) return node_.Show(change::kSelection);
  value_ = clamped;
  node_.Show(change::kSelection);
  if (auto change = OnChange) change();
}

void CoreScrollBar::SetMin(int16_t v) {
  min_ = v;
  SetValue(value_);
}

void CoreScrollBar::SetMax(int16_t v) {
  max_ = v;
  SetValue(value_);
}

void CoreScrollBar::SetSmallChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  smallChange_ = v;
  node_.Show(change::kSelection);
}

void CoreScrollBar::SetLargeChange(int16_t v) {
  if (v < 1) RaiseError(err::kInvalidPropertyValue, "Invalid property value");
  largeChange_ = v;
  node_.Show(change::kSelection);
}

void CoreScrollBar::Step(ScrollPart part) {
  // Towards Max is upwards in value unless the range is inverted.
  int32_t towardsMax = max_ >= min_ ? 1 : -1;
  int32_t step =
      (part == ScrollPart::ArrowMin || part == ScrollPart::ArrowMax) ? smallChange_ : largeChange_;
  if (part == ScrollPart::ArrowMin || part == ScrollPart::PageMin) towardsMax = -towardsMax;
  SetValue(Clamp(int32_t{value_} + towardsMax * step));
}

void CoreScrollBar::NativeKeyDown(int16_t keyCode, int16_t) {
  if (keyCode == vk::kLeft || keyCode == vk::kUp) Step(ScrollPart::ArrowMin);
  if (keyCode == vk::kRight || keyCode == vk::kDown) Step(ScrollPart::ArrowMax);
  if (keyCode == vk::kPrior) Step(ScrollPart::PageMin);
  if (keyCode == vk::kNext) Step(ScrollPart::PageMax);
}

}  // namespace orvo
