// Saving a host's form to a form document and replacing it by one, the same for every host:
// declared with the form files in the public headers (include/orvo/form_file.h).
#pragma once
#include "orvo/form_file.h"
