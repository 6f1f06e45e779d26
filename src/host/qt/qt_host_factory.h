// Creating the Qt host without seeing Qt: for programs that pick a host at run time.
#pragma once

#include <memory>
#include <string>

#include "host/form_host.h"
#include "orvo/qt_host_options.h"

namespace orvo {

// The Qt host, with a QApplication of its own when the program has none (on the
// offscreen platform when there is no display).
std::unique_ptr<FormHost> CreateQtHost(QtHostOptions options = {});
bool IsQtHost(const FormHost& host);
// A PNG of the form and every shown popup of a Qt host; false when it cannot be written.
bool SaveQtScreenshot(FormHost& host, const std::string& path);

}  // namespace orvo
