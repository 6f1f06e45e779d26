// PlayForm over the host's form: controls created as a container creates them, input
// delivered through the host.
#include "play_form.h"

#include <algorithm>
#include <cstdlib>

#include "access/constituents.h"
#include "access/internals.h"
#include "base/scope_guard.h"
#include "host/core/core_host.h"
#include "orvo/error.h"
#include "orvo/orvo_mask.h"
#include "orvo/property_bag.h"
#include "play_form_impl.h"
#include "play_host.h"
#include "popups/calend_form.h"
#include "script_runner.h"

namespace orvo::play {

PlayForm::PlayForm(HostKind host, EventLog& log) : impl_(std::make_unique<Impl>(log)) {
  impl_->host = CreatePlayHost(host);
}

PlayForm::~PlayForm() {
  // Controls are destroyed in reverse order of creation, each before its site.
  while (!impl_->controls.empty()) {
    impl_->Remove(*impl_->controls.back());
    impl_->controls.pop_back();
  }
}

OrvoMask& PlayForm::New(const NewControlSpec& spec) {
  CoreHost& host = *impl_->host;
  host.SetLocale(spec.locale);
  SiteOptions options;
  options.index = ArrayIndex(spec.index);
  options.userMode = !spec.design;
  options.width = 2400;
  options.height = 600;
  auto pc = std::make_unique<PlayControl>();
  pc->name = spec.name;
  pc->index = options.index;
  pc->site = &host.CreateSite(spec.name, options);  // raises 5 for a name already there
  pc->recorder = std::make_unique<EventRecorder>(impl_->log);
  // A control that fails to load leaves no half-made site behind.
  ScopeGuard removeHalfMade([&] { impl_->Remove(*pc); });
  pc->control = std::make_unique<OrvoMask>(*pc->site, pc->recorder.get());
  pc->recorder->SetControl(pc->control.get());
  host.RegisterControl(*pc->site, pc->control.get());
  if (spec.design) {
    pc->control->UserControl_InitProperties();
    // The container sizes a newly placed control once it is initialised; the site got its
    // size before the control existed, so lay it out now.
    pc->control->UserControl_Resize();
  } else {
    MemoryPropertyBag bag;
    for (const auto& [key, value] : spec.bag) bag.Set(key, value);
    pc->control->UserControl_ReadProperties(bag);
  }
  host.ShowForm();
  host.ProcessPending();
  removeHalfMade.Dismiss();
  impl_->controls.push_back(std::move(pc));
  impl_->current = impl_->controls.back().get();
  return *impl_->current->control;
}

OrvoMask& PlayForm::Use(const std::string& name, int16_t index) {
  impl_->current = &impl_->Find(name, index);
  return *impl_->current->control;
}

void PlayForm::Focus(const std::string& name, int16_t index) {
  PlayControl& c = impl_->Find(name, index);
  impl_->current = &c;
  impl_->host->FocusControl(*c.site);
}

OrvoMask& PlayForm::Current() {
  return *impl_->Current().control;
}

void PlayForm::Resize(float width, float height) {
  impl_->host->ResizeControl(*impl_->Current().site, width, height);
  impl_->host->ProcessPending();
}

std::string PlayForm::Clipboard() const {
  return impl_->host->ClipboardText();
}
void PlayForm::SetClipboard(const std::string& text) {
  impl_->host->SetClipboardText(text);
}
int32_t PlayForm::Beeps() const {
  return impl_->host->Beeps();
}
std::string PlayForm::FocusName() const {
  return impl_->host->FocusName();
}

void PlayForm::TypeText(const std::string& text) {
  impl_->host->Type(text);
}

bool PlayForm::Key(const std::string& name) {
  std::string key = name;
  if (name.rfind("list ", 0) == 0) {
    key = name.substr(5);
    if (!NamedKey(key)) return false;
    // The open list has the focus of its popup, which is the active window: the key goes
    // where the keyboard sends it, as any other key.
    impl_->OpenList();
  }
  if (!NamedKey(key)) return false;
  impl_->host->Key(key);
  return true;
}

void PlayForm::Select(int32_t start, int32_t length) {
  impl_->host->SelectText(start, length);
}

bool PlayForm::Click(const std::vector<std::string>& target) {
  CoreHost& host = *impl_->host;
  const std::string& what = target[0];
  if (what == "outside" && target.size() == 1) {
    host.ActivateOutside();
    return true;
  }
  if (what == "list" && target.size() == 2) return impl_->ClickList(target[1]);
  if (auto point = impl_->PopupTarget(target)) {
    host.Click(*point->widget, point->x, point->y);
    return true;
  }
  if (target.size() != 1) return false;
  if (auto point = impl_->ControlTarget(what)) {
    host.Click(*point->widget, point->x, point->y);
    return true;
  }
  OrvoMask& c = *impl_->Current().control;
  Constituents parts(c);
  auto bar = [](auto& ptr) -> ScrollBar& {
    if (!ptr) RaiseError(err::kObjectRequired, "orvoplay: the control has no such widget");
    return *ptr;
  };
  // The visible bar of a spinner takes the trough clicks; up and down arrows are the
  // vertical bar's, left and right the horizontal one's.
  auto pageBar = [&]() -> ScrollBar& {
    return parts.scrV && parts.scrV->Visible() ? *parts.scrV : bar(parts.scrH);
  };
  if (what == "spin-up") {
    host.ClickScrollBar(bar(parts.scrV), ScrollPart::ArrowMin);
  } else if (what == "spin-down") {
    host.ClickScrollBar(bar(parts.scrV), ScrollPart::ArrowMax);
  } else if (what == "spin-left") {
    host.ClickScrollBar(bar(parts.scrH), ScrollPart::ArrowMin);
  } else if (what == "spin-right") {
    host.ClickScrollBar(bar(parts.scrH), ScrollPart::ArrowMax);
  } else if (what == "spin-page-up") {
    host.ClickScrollBar(pageBar(), ScrollPart::PageMin);
  } else if (what == "spin-page-down") {
    host.ClickScrollBar(pageBar(), ScrollPart::PageMax);
  } else {
    return false;
  }
  return true;
}

bool PlayForm::Press(const std::vector<std::string>& target) {
  std::optional<PointTarget> point = impl_->PopupTarget(target);
  if (!point && target.size() == 1) point = impl_->ControlTarget(target[0]);
  if (!point) return false;
  impl_->host->Press(*point->widget, point->x, point->y);
  return true;
}

void PlayForm::Release(bool onTarget) {
  impl_->host->Release(onTarget);
}

bool PlayForm::DoubleClick(const std::vector<std::string>& target) {
  std::optional<PointTarget> point = impl_->PopupTarget(target);
  if (!point && target.size() == 1) point = impl_->ControlTarget(target[0]);
  if (!point) return false;
  impl_->host->DoubleClick(*point->widget, point->x, point->y);
  return true;
}

void PlayForm::WheelSpinner(int32_t notches) {
  Constituents parts(*impl_->Current().control);
  ScrollBar* bar = parts.scrV && parts.scrV->Visible() ? parts.scrV.get() : parts.scrH.get();
  if (!bar || !bar->Visible())
    RaiseError(err::kInvalidProcedureCall, "orvoplay: the control shows no spinner");
  impl_->host->WheelScrollBar(*bar, notches);
}

void PlayForm::Place(float left, float top) {
  PlayControl& c = impl_->Current();
  impl_->host->PlaceControl(*c.site, left, top, c.site->Width(), c.site->Height());
  impl_->host->ProcessPending();
}

std::optional<PointTarget> PlayForm::Impl::ControlTarget(const std::string& what) {
  OrvoMask& c = *Current().control;
  Constituents parts(c);
  auto widget = [](auto& ptr) -> Widget* {
    if (!ptr) RaiseError(err::kObjectRequired, "orvoplay: the control has no such widget");
    return ptr.get();
  };
  if (what == "button") return PointTarget{widget(parts.bot)};
  if (what == "caption") return PointTarget{widget(parts.lab)};
  if (what == "box") {
    if (c.DataType() == TipoDeCampo::Option) return PointTarget{widget(parts.img)};
    return PointTarget{widget(parts.pic)};
  }
  if (what == "edit")
    return PointTarget{widget(parts.txt[MemberValue(c, "ActiveTextIndex")->AsInteger()])};
  return std::nullopt;
}

void PlayForm::Wait(double seconds) {
  impl_->host->AdvanceClock(seconds);
  impl_->host->ProcessPending();
}

void PlayForm::Settle() {
  impl_->host->ProcessPending();
}

void PlayForm::Screenshot(const std::string& path) {
  SavePlayHostScreenshot(*impl_->host, path);
}

}  // namespace orvo::play
