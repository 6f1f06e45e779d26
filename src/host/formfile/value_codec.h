// How one property-bag value is written in a form file, and read back against the type the
// control gives its key.
//
// Texts and booleans are JSON strings and booleans; every other value is an object of one
// member naming its type:
//   {"int16": 5}  {"int32": 65280}  {"single": 1.5}  {"double": 1.5}  {"date": 45458.5}
//   {"null": true}  {"object": null} (the object Nothing)
//   {"font": {"name": "Arial", "size": 10, "bold": true, "italic": false, "underline": false,
//             "strikethrough": false, "weight": 700, "charset": 0}}
//   {"picture": {"name": "ellipsis", "png": "iVBORw0KGgo..."}}
// A picture keeps its name, and its PNG bytes in base64 when it carries an image; a named
// glyph the hosts draw has no bytes and is stored by name alone. Texts are Latin-1 in the
// bag and UTF-8 in the file.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "base/variant.h"
#include "control/property_table.h"

namespace orvo {

using FormJson = nlohmann::ordered_json;

// What is wrong with a value being read or written: the reader adds file, line and key.
struct ValueProblem {
  std::string what;
};

// The row whose saved key is `key` exactly, or null.
const PropertyInfo* SavedKeyRow(std::string_view key);

// Raises ValueProblem for a value a file cannot hold (an Empty, a foreign object, a NaN).
FormJson EncodeValue(const Variant& v);
// Raises ValueProblem for a value not of the key's type or out of its range.
Variant DecodeValue(const FormJson& j, const PropertyInfo& key);

std::string TextForFile(const std::string& latin1);
// Raises ValueProblem for a character beyond Latin-1.
std::string TextFromFile(const std::string& utf8);

}  // namespace orvo
