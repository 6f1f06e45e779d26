// What the form-file tests share: the hosts they run in and an owner for loaded controls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "orvo/orvo_mask.h"
#include "host/core/core_host.h"
#include "host/formfile/form_persistence.h"
#include "host/headless/headless_host.h"
#ifdef ORVO_HAVE_QT
#include "orvo/qt_host.h"
#endif

namespace orvo::testing_support {

inline std::vector<std::string> HostNames() {
#ifdef ORVO_HAVE_QT
  return {"headless", "qt"};
#else
  return {"headless"};
#endif
}

inline std::unique_ptr<FormHost> MakeHost(const std::string& name) {
#ifdef ORVO_HAVE_QT
  if (name == "qt") return CreateQtHost();
#endif
  return std::make_unique<HeadlessHost>();
}

// Owns the controls a form load makes, as an application does.
class TestControls : public FormControlOwner {
 public:
  explicit TestControls(FormHost& host) : host_(host) {}
  ~TestControls() override { DestroyAll(); }

  void DestroyAll() override {
    while (!controls_.empty()) {
      ControlSite& site = *sites_.back();
      controls_.pop_back();
      sites_.pop_back();
      host_.RemoveControl(site);
    }
  }
  OrvoMask& Make(ControlSite& site, const FormControl&) override {
    controls_.push_back(std::make_unique<OrvoMask>(site));
    sites_.push_back(&site);
    return *controls_.back();
  }
  size_t Count() const { return controls_.size(); }

 private:
  FormHost& host_;
  std::vector<std::unique_ptr<OrvoMask>> controls_;
  std::vector<ControlSite*> sites_;
};

}  // namespace orvo::testing_support
