// The headless host: a form of OrvoMask controls with no window, for an application's tests
// and tools. Its views record what they are shown; text is measured by a fixed rule (the
// default 8.25 pt font is 6 x 13 pixels a character); the clipboard, the clock (from
// 2024-06-15 10:00:00) and the beep are its own, in memory; the screen is 800 x 800 pixels at
// 15 twips a pixel. It runs no event loop: a modal popup does not block.
#pragma once

#include <memory>

#include "orvo/form_host.h"

namespace orvo {

std::unique_ptr<FormHost> CreateHeadlessHost();

}  // namespace orvo
