// A host's form to and from form documents.
#include "host/formfile/form_persistence.h"

#include "control/orvo_mask.h"
#include "host/core/core_host.h"
#include "host/core/core_site.h"
#include "host/formfile/form_file.h"
#include "platform/property_bag.h"

namespace orvo {

FormDocument CaptureForm(FormHost& host) {
  FormDocument form;
  form.title = host.FormTitle();
  form.width = host.FormWidth();
  form.height = host.FormHeight();
  for (CoreSite* site : CoreOf(host).SiteList()) {
    OrvoMask* control = site->Control();
    if (!control) continue;  // a foreign control keeps no bag of ours
    MemoryPropertyBag bag;
    control->UserControl_WriteProperties(bag);
    const WidgetNode& s = site->Surface();
    form.controls.push_back(FormControl{site->Name(), site->ArrayIndex(), s.left, s.top, s.width,
                                        s.height, bag.Entries()});
  }
  return form;
}

void RestoreForm(FormHost& host, const FormDocument& form, FormControlOwner& owner, bool userMode) {
  owner.DestroyAll();
  host.SetFormFrame(form.title, form.width, form.height);
  for (const FormControl& entry : form.controls) {
    SiteOptions options;
    options.index = entry.index;
    options.userMode = userMode;
    options.width = entry.width;
    options.height = entry.height;
    ControlSite& site = host.CreateSite(entry.name, options);
    host.PlaceControl(site, entry.left, entry.top, entry.width, entry.height);
    OrvoMask& control = owner.Make(site, entry);
    host.RegisterControl(site, &control);
    MemoryPropertyBag bag = BagFor(entry);
    control.UserControl_ReadProperties(bag);
  }
  host.ShowForm();
  host.ProcessPending();
}

void SaveFormFile(FormHost& host, const std::string& path) {
  WriteFormFile(path, CaptureForm(host));
}

void LoadFormFile(FormHost& host, const std::string& path, FormControlOwner& owner, bool userMode) {
  RestoreForm(host, ReadFormFile(path), owner, userMode);
}

}  // namespace orvo
