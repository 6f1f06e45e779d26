// orvo_mask_widget.h moved to the public headers (include/orvo); this path keeps the library's includes.
#pragma once
#include "orvo/orvo_mask_widget.h"
