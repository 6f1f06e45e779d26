// Fuzz target for form files: any bytes are read as a form file; only orvo::Error may come
// out, what reads is written and read back to the same text, and a form that reads loads
// into a headless form, as a designer and at run time, and saves again.
// Built by fuzz/CMakeLists.txt: with libFuzzer under clang, else over fuzz_driver.cpp.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "orvo/orvo_mask.h"
#include "host/formfile/form_json.h"
#include "host/formfile/form_persistence.h"
#include "host/headless/headless_host.h"

namespace {

// Owns the controls a load makes, as an application does.
class Controls : public orvo::FormControlOwner {
 public:
  explicit Controls(orvo::FormHost& host) : host_(host) {}
  ~Controls() override { DestroyAll(); }

  void DestroyAll() override {
    while (!controls_.empty()) {
      orvo::ControlSite& site = *sites_.back();
      controls_.pop_back();
      sites_.pop_back();
      host_.RemoveControl(site);
    }
  }
  orvo::OrvoMask& Make(orvo::ControlSite& site, const orvo::FormControl&) override {
    controls_.push_back(std::make_unique<orvo::OrvoMask>(site));
    sites_.push_back(&site);
    return *controls_.back();
  }

 private:
  orvo::FormHost& host_;
  std::vector<std::unique_ptr<orvo::OrvoMask>> controls_;
  std::vector<orvo::ControlSite*> sites_;
};

void Load(const orvo::FormDocument& form, bool userMode) {
  orvo::HeadlessHost host;
  Controls controls(host);
  try {
    orvo::RestoreForm(host, form, controls, userMode);
  } catch (const orvo::Error&) {
    return;
  }
  (void)orvo::FormText(orvo::CaptureForm(host));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orvo::FormDocument form;
  try {
    form = orvo::ParseFormText(text, "fuzz.json");
  } catch (const orvo::Error&) {
    return 0;
  }
  // A form that reads is one that can be saved, and saving it again changes nothing.
  const std::string written = orvo::FormText(form);
  if (orvo::FormText(orvo::ParseFormText(written, "again.json")) != written) __builtin_trap();
  // Thousands of controls make a slow input, not a finding.
  if (form.controls.size() > 64) return 0;
  Load(form, false);
  Load(form, true);
  return 0;
}
