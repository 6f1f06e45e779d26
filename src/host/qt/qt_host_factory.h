// Creating the Qt host without seeing Qt: for programs that pick a host at run time.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "host/form_host.h"

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

// The Qt host, with a QApplication of its own when the program has none (on the
// offscreen platform when there is no display).
std::unique_ptr<FormHost> CreateQtHost(QtHostOptions options = {});
bool IsQtHost(const FormHost& host);
// A PNG of the form and every shown popup of a Qt host; false when it cannot be written.
bool SaveQtScreenshot(FormHost& host, const std::string& path);

}  // namespace orvo
