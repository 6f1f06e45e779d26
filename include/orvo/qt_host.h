// The Qt host: a whole form of OrvoMask controls in a window of its own, for programs that
// build forms (a form file, or controls placed one by one) rather than place single fields
// in their own layouts (OrvoMaskWidget).
#pragma once

#include <memory>
#include <string>

#include "orvo/form_host.h"
#include "orvo/qt_host_options.h"

class QWidget;

namespace orvo {

// A Qt host, with a QApplication of its own when the program has none (on the offscreen
// platform when there is no display).
std::unique_ptr<FormHost> CreateQtHost(QtHostOptions options = {});
bool IsQtHost(const FormHost& host);
// The form's window; null for a host of another kind.
QWidget* QtFormWidget(FormHost& host);
// A PNG of the form and every shown popup; false when it cannot be written or the host is
// of another kind.
bool SaveQtScreenshot(FormHost& host, const std::string& path);

}  // namespace orvo
