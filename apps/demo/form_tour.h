// The screenshot tour: a clerk fills the registration form, and each popup is shown open.
#pragma once

#include <QString>
#include <string>

#include "demo_app.h"

namespace orvo::demo {

// Types into the demo's first window and saves the record, opens the calendar, the
// calculator, the customer grid, the state list and the city grid in turn, opens a second
// window beside it, and writes a PNG of each into `folder` (created if missing), with one of
// the event panel; false when a step failed or a picture could not be written.
bool TourForm(DemoApp& demo, const QString& folder);

// A PNG of `window` with the popups open over it, as the screen shows them.
bool SaveWindowPicture(QWidget& window, const std::string& path);

}  // namespace orvo::demo
