// Reading and saving form files.
#include "host/formfile/form_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/error.h"
#include "host/formfile/form_file_errors.h"
#include "host/formfile/form_json.h"

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

}  // namespace orvo
