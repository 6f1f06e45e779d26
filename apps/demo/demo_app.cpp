// The demo's windows.
#include "demo_app.h"

#include <QApplication>
#include <cstdio>

#include "orvo/error.h"
#include "registration_form.h"

namespace orvo::demo {

DemoApp::DemoApp(const DemoOptions& options, DatabaseRef db)
    : options_(options), db_(std::move(db)) {}

DemoApp::~DemoApp() {
  for (QPointer<FormWindow>& w : windows_) delete w.data();
}

std::vector<FormWindow*> DemoApp::Windows() const {
  std::vector<FormWindow*> open;
  for (const QPointer<FormWindow>& w : windows_)
    if (w) open.push_back(w.data());
  return open;
}

FormWindow& DemoApp::NewWindow() {
  const int number = ++opened_;
  // The lines of the second window on are marked with its number.
  const std::string mark = number > 1 ? "[" + std::to_string(number) + "] " : "";
  QtHostOptions host = OrvoMaskWidget::ApplicationOptions();
  host.systemLocale = options_.systemLocale;
  // An error a field raises while handling the user's input goes to the log.
  host.onInputError = [this, mark](const Error& e) {
    panel_.Log(mark + "error " + std::to_string(e.Number()) + " " + e.Message());
  };
  auto* window = new FormWindow(
      db_, [this, mark](const std::string& line) { panel_.Log(mark + line); }, host);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->onNewWindow = [this] { NewWindow(); };
  try {
    window->Open(options_.form);
  } catch (const Error& e) {
    std::fprintf(stderr, "demo: %s; the form is built from the program's own definition\n",
                 e.Message().c_str());
    window->Load(RegistrationFormDocument());
  }
  if (number > 1)
    window->setWindowTitle(window->windowTitle() + QStringLiteral(" (%1)").arg(number));
  // The last form window closed ends the demo, the panel with it.
  QObject::connect(window, &QObject::destroyed, &panel_, [this] {
    QMetaObject::invokeMethod(
        &panel_,
        [this] {
          if (Windows().empty()) panel_.close();
        },
        Qt::QueuedConnection);
  });
  windows_.emplace_back(window);
  // The window manager places both windows: the panel goes first, so that the form is placed
  // beside it rather than under it (moving a window before the manager has framed it puts
  // its title bar off the screen).
  if (number == 1) panel_.show();
  window->show();
  // The window just asked for is the one to type in, not the panel nor the window whose menu
  // asked: it comes forward active, its first field holding the focus.
  window->raise();
  window->activateWindow();
  return *window;
}

}  // namespace orvo::demo
