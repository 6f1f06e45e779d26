// A sample for the layer check: a base header that reaches up into the control.
#pragma once

#include "base/variant.h"
#include "control/orvo_mask.h"
