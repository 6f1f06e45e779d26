// Renderings: how the transcript writes a Variant (`Long 5`, `String "a\x09b"`, `Date 2024-12-25`).
#pragma once

#include <string>

#include "orvo/variant.h"

namespace orvo::play {

// A Latin-1 text between double quotes, escaped as scripts write it: `\"`, `\\`, and every
// character below 32, 127 and above 127 as `\xHH`.
std::string QuoteText(const std::string& text);

// A number with a point and the shortest text that reads back to the same value.
std::string NumberText(double v);
std::string NumberText(float v);

// `TYPE LITERAL`: `Empty`, `Null`, `Integer 0`, `Long 5`, `Single 1.5`, `Double 1234.5`,
// `Date 2024-12-25` (with ` 13:45:00` when there is a time), `String "..."`,
// `Boolean True`, `Object Nothing` / `Object`.
std::string Render(const Variant& v);

}  // namespace orvo::play
