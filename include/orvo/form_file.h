// Form files: a form's controls, their places and their property bags on disk (JSON), and a
// host's form saved to one and replaced by one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "orvo/form_host.h"
#include "orvo/property_bag.h"
#include "orvo/variant.h"

namespace orvo {

class OrvoMask;

// The version this build writes; files of a later version are refused.
inline constexpr int32_t kFormFileVersion = 1;

struct FormControl {
  std::string name;
  std::optional<int16_t> index;                    // element of a control array
  float left = 0, top = 0, width = 0, height = 0;  // twips
  // The bag as WriteProperties left it: keys holding their default are absent.
  std::vector<std::pair<std::string, Variant>> properties;
};

// A form as a form file holds it: its title and size, and its controls in tab order.
struct FormDocument {
  std::string title;
  float width = 0, height = 0;        // twips
  std::vector<FormControl> controls;  // tab order
};

// Reads a form file whole. Raises orvo::Error 53 for a missing file, 75 for one that cannot
// be read, 321 for a damaged one or one of a later version.
FormDocument ReadFormFile(const std::string& path);

// Saves a form file so that it holds either its old content or all of the new: on failure
// (61 disk full, 70 permission denied, 75 otherwise, also when the path is not a regular
// file) the old file is untouched. Through a link, the file the link points at is replaced.
void WriteFormFile(const std::string& path, const FormDocument& form);

// The entry's property bag to load a control from; fonts and pictures are objects of its own.
MemoryPropertyBag BagFor(const FormControl& entry);

// The application owns the controls; restoring a form asks it to drop them and make new ones.
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
// designer).
void RestoreForm(FormHost& host, const FormDocument& form, FormControlOwner& owner,
                 bool userMode = true);

// The two with the file. LoadFormFile reads the file whole before anything is destroyed, so
// a damaged file never costs the form on screen.
void SaveFormFile(FormHost& host, const std::string& path);
void LoadFormFile(FormHost& host, const std::string& path, FormControlOwner& owner,
                  bool userMode = true);

}  // namespace orvo
