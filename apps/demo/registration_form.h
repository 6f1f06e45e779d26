// The demo's customer registration form as the program itself defines it: a field of every
// kind and every drop-down, with the edit boxes in one column whatever their captions. The
// form file shipped beside the demo was written from it.
#pragma once

#include <string>

#include "orvo/form_file.h"
#include "orvo/host_objects.h"

namespace orvo::demo {

// A caption's width in twips, as its label takes it: the text in its font (the default
// font when null).
float CaptionWidth(const Font* font, const std::string& caption);

// The form: its title, its size keeping every field whole, and its fields in focus order,
// each with its place and the properties it is loaded with.
FormDocument RegistrationFormDocument();

}  // namespace orvo::demo
