// Form files on disk, as the public header declares them, and a save through a file system
// a test can make fail.
#pragma once

#include <string>

#include "host/formfile/save_file_system.h"
#include "orvo/form_file.h"

namespace orvo {

// WriteFormFile through other file operations (a test's failing disk): the document's text
// goes in whole or not at all (WriteFileAtomically).
void WriteFormFile(const std::string& path, const FormDocument& form, SaveFileSystem& fs);

}  // namespace orvo
