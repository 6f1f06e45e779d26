// The script's form saved to form files and replaced by what one holds.
#include "host/formfile/form_file.h"
#include "host/formfile/form_persistence.h"
#include "orvo/orvo_mask.h"
#include "play_form.h"
#include "play_form_impl.h"

namespace orvo::play {

namespace {

// The controls a load makes are the script's, with events recorded as for `new`.
class PlayControlOwner : public FormControlOwner {
 public:
  explicit PlayControlOwner(PlayForm::Impl& form) : form_(form) {}

  void DestroyAll() override {
    form_.current = nullptr;
    while (!form_.controls.empty()) {
      form_.Remove(*form_.controls.back());
      form_.controls.pop_back();
    }
  }

  OrvoMask& Make(ControlSite& site, const FormControl& entry) override {
    auto pc = std::make_unique<PlayControl>();
    pc->name = entry.name;
    pc->index = entry.index;
    pc->site = &site;
    pc->recorder = std::make_unique<EventRecorder>(form_.log);
    pc->control = std::make_unique<OrvoMask>(site, pc->recorder.get());
    pc->recorder->SetControl(pc->control.get());
    form_.controls.push_back(std::move(pc));
    if (!form_.current) form_.current = form_.controls.back().get();
    return *form_.controls.back()->control;
  }

 private:
  PlayForm::Impl& form_;
};

}  // namespace

void PlayForm::Save(const std::string& path) {
  SaveFormFile(*impl_->host, path);
}

void PlayForm::Load(const std::string& path, bool design, const LocaleSettings& locale) {
  // Read whole first: a file that does not open leaves the form as it is.
  FormDocument form = ReadFormFile(path);
  impl_->host->SetLocale(locale);
  PlayControlOwner owner(*impl_);
  RestoreForm(*impl_->host, form, owner, !design);
}

}  // namespace orvo::play
