// The headless control site.
#include "host/headless/headless_site.h"

#include <algorithm>

#include "base/error.h"
#include "host/headless/headless_host.h"
#include "host/headless/headless_text_box.h"
#include "host/headless/headless_text_metrics.h"
#include "host/headless/headless_widgets.h"

namespace orvo {

HeadlessSite::HeadlessSite(HeadlessHost& host, std::string name, const SiteOptions& options,
                           LocaleSettings locale)
    : host_(host),
      name_(std::move(name)),
      index_(options.index),
      userMode_(options.userMode),
      services_(host.Services(), std::move(locale)),
      font_(host.AmbientFont()->Clone()) {
  surface_.kind = CoreKind::Surface;
  surface_.window = &host.Form();
  surface_.site = this;
  surface_.hwnd = host.NewHwnd();
  surface_.width = options.width;
  surface_.height = options.height;
  host.Register(&surface_);
}

HeadlessSite::~HeadlessSite() {
  host_.Form().ForgetSite(this);
  host_.Unregister(&surface_);
}

FontRef HeadlessSite::AmbientFont() const {
  return host_.AmbientFont()->Clone();
}

int16_t HeadlessSite::Index() const {
  if (!index_) RaiseError(err::kNotAnArray, "Object not an array");
  return *index_;
}

int32_t HeadlessSite::ParentHwnd() const {
  return host_.Form().Hwnd();
}

std::vector<SiblingControl> HeadlessSite::ParentControls() const {
  std::vector<SiblingControl> out;
  for (HeadlessSite* s : host_.SiteList()) out.push_back({s->Name(), s->Control()});
  return out;
}

float HeadlessSite::TextWidth(const std::string& text) const {
  return HeadlessTextWidth(font_.get(), text);
}

float HeadlessSite::TextHeight(const std::string& text) const {
  return HeadlessTextHeight(font_.get(), text);
}

void HeadlessSite::DrawFocusRect(const Rect& r) {
  auto it = std::find(focusRects_.begin(), focusRects_.end(), r);
  if (it != focusRects_.end())
    focusRects_.erase(it);
  else
    focusRects_.push_back(r);
}

void HeadlessSite::Place(float left, float top, float width, float height) {
  surface_.left = left;
  surface_.top = top;
  Resize(width, height);
}

void HeadlessSite::Resize(float width, float height) {
  if (width == surface_.width && height == surface_.height) return;
  surface_.width = width;
  surface_.height = height;
  if (auto resize = handlers_.OnResize) resize();
}

WidgetCore* HeadlessSite::CoreOf(PictureBox* parent) const {
  return orvo::CoreOf(parent);
}

std::unique_ptr<TextBox> HeadlessSite::CreateTextBox(PictureBox* parent, bool multiLine) {
  return std::make_unique<HeadlessTextBox>(host_, &host_.Form(), this, CoreOf(parent), multiLine);
}

std::unique_ptr<Label> HeadlessSite::CreateLabel() {
  return std::make_unique<HeadlessLabel>(host_, &host_.Form(), this, nullptr);
}

std::unique_ptr<PictureBox> HeadlessSite::CreatePictureBox() {
  return std::make_unique<HeadlessPictureBox>(host_, &host_.Form(), this);
}

std::unique_ptr<Image> HeadlessSite::CreateImage() {
  return std::make_unique<HeadlessImage>(host_, &host_.Form(), this);
}

std::unique_ptr<Shape> HeadlessSite::CreateShape() {
  return std::make_unique<HeadlessShape>(host_, &host_.Form(), this);
}

std::unique_ptr<CommandButton> HeadlessSite::CreateCommandButton(PictureBox* parent) {
  return std::make_unique<HeadlessCommandButton>(host_, &host_.Form(), this, CoreOf(parent));
}

std::unique_ptr<ScrollBar> HeadlessSite::CreateScrollBar(PictureBox* parent, bool vertical) {
  return std::make_unique<HeadlessScrollBar>(host_, &host_.Form(), this, CoreOf(parent), vertical);
}

std::unique_ptr<MessageHook> HeadlessSite::CreateMessageHook() {
  return host_.Services().CreateMessageHook();
}

}  // namespace orvo
