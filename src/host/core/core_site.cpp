// The host model's control site.
#include "host/core/core_site.h"

#include <algorithm>

#include "base/error.h"
#include "host/core/core_host.h"
#include "host/core/core_text_box.h"
#include "host/core/core_widgets.h"

namespace orvo {

CoreSite::CoreSite(CoreHost& host, std::string name, const SiteOptions& options,
                   std::shared_ptr<const LocaleSettings> locale)
    : host_(host),
      name_(std::move(name)),
      index_(options.index),
      userMode_(options.userMode),
      services_(host.Services(), std::move(locale)),
      font_(host.AmbientFont()->Clone()) {
  surface_.kind = WidgetKind::Surface;
  surface_.window = &host.Form();
  surface_.site = this;
  surface_.hwnd = host.NewHwnd();
  surface_.width = options.width;
  surface_.height = options.height;
  host.Register(&surface_);
  surface_.view = host.Platform().CreateView(surface_);
  surface_.Show(change::kGeometry | change::kState | change::kStyle);
}

CoreSite::~CoreSite() {
  host_.Form().ForgetSite(this);
  host_.Unregister(&surface_);
  surface_.view.reset();
}

FontRef CoreSite::AmbientFont() const {
  return host_.AmbientFont()->Clone();
}

int16_t CoreSite::Index() const {
  if (!index_) RaiseError(err::kNotAnArray, "Object not an array");
  return *index_;
}

int32_t CoreSite::ParentHwnd() const {
  return host_.Form().Hwnd();
}

std::vector<SiblingControl> CoreSite::ParentControls() const {
  std::vector<SiblingControl> out;
  for (CoreSite* s : host_.SiteList()) out.push_back({s->Name(), s->Control()});
  return out;
}

float CoreSite::TextWidth(const std::string& text) const {
  return host_.Platform().TextWidth(font_.get(), text);
}

float CoreSite::TextHeight(const std::string& text) const {
  return host_.Platform().TextHeight(font_.get(), text);
}

void CoreSite::SetFont(FontRef f) {
  if (!f) return;
  font_ = std::move(f);
  surface_.Show(change::kStyle);
}

void CoreSite::SetMousePointer(int16_t v) {
  mousePointer_ = v;
  surface_.Show(change::kStyle);
}

void CoreSite::Repaint() {
  surface_.Show(change::kRepaint);
}

void CoreSite::DrawFocusRect(const Rect& r) {
  auto it = std::find(focusRects_.begin(), focusRects_.end(), r);
  if (it != focusRects_.end())
    focusRects_.erase(it);
  else
    focusRects_.push_back(r);
  surface_.Show(change::kContent);
}

void CoreSite::EraseFocusRects(const Rect& area) {
  auto overlaps = [&](const Rect& r) {
    return r.left < area.right && area.left < r.right && r.top < area.bottom && area.top < r.bottom;
  };
  const auto erased = std::remove_if(focusRects_.begin(), focusRects_.end(), overlaps);
  if (erased == focusRects_.end()) return;
  focusRects_.erase(erased, focusRects_.end());
  surface_.Show(change::kContent);
}

void CoreSite::Place(float left, float top, float width, float height) {
  surface_.left = left;
  surface_.top = top;
  surface_.Show(change::kGeometry);
  Resize(width, height);
}

void CoreSite::Resize(float width, float height) {
  if (width == surface_.width && height == surface_.height) return;
  surface_.width = width;
  surface_.height = height;
  surface_.Show(change::kGeometry);
  if (auto resize = handlers_.OnResize) resize();
}

std::unique_ptr<TextBox> CoreSite::CreateTextBox(PictureBox* parent, bool multiLine) {
  return MakeWidget<CoreTextBox>(host_, &host_.Form(), this, NodeOf(parent), multiLine);
}

std::unique_ptr<Label> CoreSite::CreateLabel() {
  return MakeWidget<CoreLabel>(host_, &host_.Form(), this);
}

std::unique_ptr<PictureBox> CoreSite::CreatePictureBox() {
  return MakeWidget<CorePictureBox>(host_, &host_.Form(), this);
}

std::unique_ptr<Image> CoreSite::CreateImage() {
  return MakeWidget<CoreImage>(host_, &host_.Form(), this);
}

std::unique_ptr<Shape> CoreSite::CreateShape() {
  return MakeWidget<CoreShape>(host_, &host_.Form(), this);
}

std::unique_ptr<CommandButton> CoreSite::CreateCommandButton(PictureBox* parent) {
  return MakeWidget<CoreCommandButton>(host_, &host_.Form(), this, NodeOf(parent));
}

std::unique_ptr<ScrollBar> CoreSite::CreateScrollBar(PictureBox* parent, bool vertical) {
  return MakeWidget<CoreScrollBar>(host_, &host_.Form(), this, NodeOf(parent), vertical);
}

std::unique_ptr<MessageHook> CoreSite::CreateMessageHook() {
  return host_.Services().CreateMessageHook();
}

}  // namespace orvo
