// A sample for the layer check: a mask header that includes only downward.
#pragma once

#include "base/dates.h"
#include "compiled_mask.h"
