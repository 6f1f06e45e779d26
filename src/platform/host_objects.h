// host_objects.h moved to the public headers (include/orvo); this path keeps the library's
// includes.
#pragma once
#include "orvo/host_objects.h"
