// The host model: the form's sites, the registry of widgets and windows, showing the form.
#include "host/core/core_host.h"

#include <algorithm>
#include <atomic>

#include "base/error.h"
#include "host/core/core_site.h"

namespace orvo {

int32_t CoreHost::NewHwnd() {
  static std::atomic<int32_t> last{0x1000};
  return last += 4;
}

namespace {

constexpr float kSiteGap = 120;  // twips between controls stacked on the form

CoreSite& AsCore(ControlSite& site) {
  return static_cast<CoreSite&>(site);
}

}  // namespace

CoreHost::CoreHost(HostPlatform& platform)
    : platform_(platform),
      services_(*this),
      locale_(std::make_shared<const LocaleSettings>(LocaleSettings::PtBR())),
      ambientFont_(std::make_shared<orvo::Font>()),
      form_(*this, nullptr) {
  active_ = &form_;
}

CoreHost::~CoreHost() {
  sites_.clear();
}

ControlSite& CoreHost::CreateSite(const std::string& name, const SiteOptions& options) {
  if (FindSite(name, options.index))
    RaiseError(err::kInvalidProcedureCall,
               "a control named " + ControlDisplayName(name, options.index) + " exists");
  auto site = std::make_unique<CoreSite>(*this, name, options, locale_);
  site->Place(kSiteGap, nextSiteTop_, options.width, options.height);
  nextSiteTop_ += options.height + kSiteGap;
  sites_.push_back(std::move(site));
  return *sites_.back();
}

void CoreHost::RegisterControl(ControlSite& site, OrvoMask* control) {
  AsCore(site).SetControl(control);
}

ControlSite* CoreHost::FindSite(const std::string& name, std::optional<int16_t> index) {
  for (auto& s : sites_)
    if (s->Name() == name && s->ArrayIndex() == index) return s.get();
  return nullptr;
}

OrvoMask* CoreHost::FindControl(const std::string& name, std::optional<int16_t> index) {
  for (auto& s : sites_)
    if (s->Name() == name && s->ArrayIndex() == index) return s->Control();
  return nullptr;
}

std::vector<ControlSite*> CoreHost::Sites() {
  std::vector<ControlSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

std::vector<CoreSite*> CoreHost::SiteList() const {
  std::vector<CoreSite*> out;
  for (auto& s : sites_) out.push_back(s.get());
  return out;
}

// Widgets the library still holds leave the control's surface before it goes.
void CoreHost::RemoveControl(ControlSite& site) {
  CoreSite* s = &AsCore(site);
  form_.ForgetSite(s);
  for (auto& [id, node] : nodes_) {
    if (node->site != s || node == &s->Surface()) continue;
    node->site = nullptr;
    node->detached = true;
    node->Show(change::kParent);
  }
  sites_.erase(
      std::remove_if(sites_.begin(), sites_.end(), [&](const auto& p) { return p.get() == s; }),
      sites_.end());
}

void CoreHost::PlaceControl(ControlSite& site, float left, float top, float width, float height) {
  AsCore(site).Place(left, top, width, height);
  ProcessPending();
}

void CoreHost::ResizeControl(ControlSite& site, float width, float height) {
  AsCore(site).Resize(width, height);
  ProcessPending();
}

void CoreHost::SetControlVisible(ControlSite& site, bool visible) {
  AsCore(site).Surface().visible = visible;
  AsCore(site).Surface().Show(change::kState);
}

void CoreHost::SetControlEnabled(ControlSite& site, bool enabled) {
  AsCore(site).Surface().enabled = enabled;
  AsCore(site).Surface().Show(change::kState);
}

void CoreHost::ShowForm() {
  if (!form_.Shown()) {
    form_.SetShown(true);
    platform_.FocusMoved(form_, form_.Focused());
  }
  for (CoreSite* s : SiteList()) {
    if (s->ShowRaised()) continue;
    s->SetShowRaised();
    if (auto show = s->Handlers().OnShow) show();
  }
  ProcessPending();
}

void CoreHost::Register(WidgetNode* node) {
  node->id = ++nextNodeId_;
  node->z = NextZ(true);  // a widget is made in front of its siblings
  nodes_[node->id] = node;
  if (node->window) node->window->Add(node);
}

// Children the library still holds move to the surface (or window) before this widget goes.
void CoreHost::Unregister(WidgetNode* node) {
  nodes_.erase(node->id);
  if (node->window) {
    node->window->Remove(node);
  } else {
    for (auto& [id, n] : nodes_)
      if (n->parent == node) {
        n->parent = nullptr;
        n->z = NextZ(true);  // it comes to the front of its new siblings
        n->Show(change::kParent | change::kGeometry);
      }
  }
}

WidgetNode* CoreHost::NodeByHwnd(int32_t hwnd) const {
  if (hwnd == 0) return nullptr;
  for (const auto& [id, node] : nodes_)
    if (node->hwnd == hwnd) return node;
  return nullptr;
}

CoreWindow* CoreHost::WindowByHwnd(int32_t hwnd) const {
  for (CoreWindow* w : windows_)
    if (w->Hwnd() == hwnd) return w;
  return nullptr;
}

void CoreHost::RemoveWindow(CoreWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  if (active_ == w) active_ = w == &form_ ? nullptr : &form_;
}

void CoreHost::SetFocusTo(WidgetNode* node) {
  CoreWindow* w = node->window;
  if (!w || !w->CanFocus(node))
    RaiseError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
  Activate(w);
  w->MoveFocus(node);
}

std::string CoreHost::FocusName() const {
  if (active_ != &form_) return "";
  WidgetNode* f = form_.Focused();
  return f && f->site ? f->site->DisplayName() : "";
}

Widget* CoreHost::FocusedWidget() const {
  if (!active_) return nullptr;
  WidgetNode* f = active_->Focused();
  return f ? f->widget : nullptr;
}

}  // namespace orvo
