// The screenshot tour: a clerk fills the registration form, and each popup is shown open.
#pragma once

#include <QString>
#include <QWidget>

#include "form_session.h"

namespace orvo::demo {

// Types into the form and saves the record, opens the calendar, the calculator, the customer
// grid, the state list and the city grid in turn, and writes a PNG of each into `folder`
// (created if missing), with one of the event panel; false when a step failed or a picture
// could not be written.
bool TourForm(FormSession& session, QWidget& panel, const QString& folder);

}  // namespace orvo::demo
