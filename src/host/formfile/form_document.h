// The form document moved to the public headers (include/orvo/form_file.h); this path keeps
// the library's includes.
#pragma once
#include "orvo/form_file.h"
