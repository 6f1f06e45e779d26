// The demo's customer registration form: a field of every kind and every drop-down, laid out
// with the edit boxes in one column whatever their captions.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/form_host.h"
#include "host/formfile/form_persistence.h"
#include "orvo/error.h"
#include "orvo/orvo_mask.h"

namespace orvo::demo {

struct RegistrationField {
  std::string name;  // "optTipo(1)" for an element of a control array
  ControlSite* site = nullptr;
  std::unique_ptr<OrvoMask> control;  // null when the field failed to load
};

// The form's fields, owned as an application owns them: a form file loaded through
// LoadFormFile replaces them all.
class RegistrationForm : public FormControlOwner {
 public:
  explicit RegistrationForm(FormHost& host) : host_(host) {}
  ~RegistrationForm() override { DestroyAll(); }

  std::vector<RegistrationField> fields;  // in focus order

  OrvoMask* Find(const std::string& name) const;
  ControlSite* SiteOf(const std::string& name) const;
  // Each control goes before its site.
  void DestroyAll() override;
  OrvoMask& Make(ControlSite& site, const FormControl& entry) override;

 private:
  FormHost& host_;
};

// Pads each caption left of its field so that every such edit box starts at one column: the
// widest caption in the form's font and a gap, or `column` when that is wider (a form file's
// column, which the fields beside the boxes follow). Returns the column, in twips.
float LineUpCaptions(RegistrationForm& form, float column);

// Places the registration form's fields on `form`'s host, their captions measured so the
// edit boxes stand in one column, and sizes the form to keep every field whole. A field whose
// properties fail to load is reported to `failed` and stays without its control. The lookups
// are bound by the application: a form file keeps no recordset.
void BuildRegistrationForm(
    FormHost& host, RegistrationForm& form,
    const std::function<void(const std::string& name, const Error&)>& failed);

}  // namespace orvo::demo
