// Form files on disk: reading one whole, and saving one without ever losing the old.
#pragma once

#include <string>

#include "host/formfile/form_document.h"
#include "host/formfile/save_file_system.h"
#include "platform/property_bag.h"

namespace orvo {

// Raises orvo::Error 53 for a missing file, 75 for one that cannot be read, 321 for a
// damaged one (ParseFormText).
FormDocument ReadFormFile(const std::string& path);

// The document's text goes in whole or not at all (WriteFileAtomically).
void WriteFormFile(const std::string& path, const FormDocument& form,
                   SaveFileSystem& fs = SaveFileSystem::Real());

// The entry's property bag to load a control from: fonts and pictures are objects of its own.
MemoryPropertyBag BagFor(const FormControl& entry);

}  // namespace orvo
