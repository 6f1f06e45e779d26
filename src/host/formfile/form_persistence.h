// Saving a host's form to a form document and replacing it by one, the same for every host.
#pragma once

#include <string>

#include "host/form_host.h"
#include "host/formfile/form_document.h"

namespace orvo {

// The application owns the controls; a load asks it to drop them and to make new ones.
class FormControlOwner {
 public:
  virtual ~FormControlOwner() = default;
  // Destroys every control of the form, each before its site (FormHost::RemoveControl).
  virtual void DestroyAll() = 0;
  // The control for a site just created for `entry`, not loaded yet; the owner keeps it.
  virtual OrvoMask& Make(ControlSite& site, const FormControl& entry) = 0;
};

// Every control on the form in tab order, through its WriteProperties, with its place.
FormDocument CaptureForm(FormHost& host);

// Replaces the form: the old controls go first, then each control of the document is
// created in order, placed and loaded through ReadProperties (`userMode` false: the
// designer). The document has been read whole before, so a damaged file never costs the
// form on screen.
void RestoreForm(FormHost& host, const FormDocument& form, FormControlOwner& owner,
                 bool userMode = true);

// The two together with the file: ReadFormFile before anything is destroyed.
void SaveFormFile(FormHost& host, const std::string& path);
void LoadFormFile(FormHost& host, const std::string& path, FormControlOwner& owner,
                  bool userMode = true);

}  // namespace orvo
