// A program that reaches past the public headers, for the layer check to reject.
#include "control/orvo_mask.h"
