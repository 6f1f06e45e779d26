// QtHostOptions: how a Qt host runs: its clock, its regional settings, and where errors of
// the user's input go.
#pragma once

#include <functional>

#include "orvo/error.h"

namespace orvo {

struct QtHostOptions {
  // The fixed clock starting at 2024-06-15 10:00:00 (FormHost drives it), or the real one.
  bool simulatedClock = true;
  // The regional settings of QLocale::system() instead of pt-BR until SetLocale.
  bool systemLocale = false;
  // Where an error raised while the control handles the user's input goes: the event loop
  // goes on either way. Without one, it is written to Qt's warning output.
  std::function<void(const Error&)> onInputError;
};

}  // namespace orvo
