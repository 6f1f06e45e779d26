// A form document to and from the text of a form file.
//
//   {
//     "format": 1,
//     "title": "Clientes",
//     "width": 7200,
//     "height": 4800,
//     "controls": [
//       {
//         "name": "txtNome",
//         "index": null,
//         "left": 120, "top": 120, "width": 2400, "height": 600,
//         "properties": {"Caption": "Nome", "MaxLength": {"int16": 5}}
//       }
//     ]
//   }
//
// Members are written in that order, the properties by key in byte order, so the same form
// gives the same text; "index" is null outside a control array. Values: value_codec.h.
#pragma once

#include <string>
#include <string_view>

#include "host/formfile/form_document.h"

namespace orvo {

std::string FormText(const FormDocument& form);

// Raises orvo::Error 321 naming `fileName`, the line and the key for a text that is not
// valid JSON, has a member of the wrong type, an unknown member or key, or a value out of
// range, and for a format version newer than this build reads.
FormDocument ParseFormText(std::string_view text, const std::string& fileName);

}  // namespace orvo
