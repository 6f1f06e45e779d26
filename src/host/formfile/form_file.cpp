// Reading and saving form files.
#include "host/formfile/form_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/error.h"
#include "host/formfile/form_file_errors.h"
#include "host/formfile/form_json.h"
#include "platform/host_objects.h"

namespace orvo {

FormDocument ReadFormFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int error = errno;
    RaiseError(error == ENOENT ? err::kFileNotFound : err::kFileAccess,
               "cannot open form file \"" + path + "\": " + std::strerror(error));
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) RaiseError(err::kFileAccess, "cannot read form file \"" + path + "\"");
  return ParseFormText(text.str(), path);
}

void WriteFormFile(const std::string& path, const FormDocument& form, SaveFileSystem& fs) {
  WriteFileAtomically(path, FormText(form), fs);
}

void WriteFormFile(const std::string& path, const FormDocument& form) {
  WriteFormFile(path, form, SaveFileSystem::Real());
}

MemoryPropertyBag BagFor(const FormControl& entry) {
  // A control keeps the font and picture objects it is given: each load gets objects of its
  // own, so that two controls loaded from one document never change each other's font.
  auto ownCopy = [](const Variant& v) {
    if (!v.IsObject() || !v.AsObject()) return v;
    if (auto f = std::dynamic_pointer_cast<Font>(v.AsObject()))
      return Variant(std::static_pointer_cast<Object>(f->Clone()));
    if (auto p = std::dynamic_pointer_cast<Picture>(v.AsObject()))
      return Variant(std::static_pointer_cast<Object>(std::make_shared<Picture>(*p)));
    return v;
  };
  MemoryPropertyBag bag;
  for (const auto& [key, value] : entry.properties) bag.Set(key, ownCopy(value));
  return bag;
}

}  // namespace orvo
