// DemoApp: the demo's windows: the event panel, and the registration form windows, each with
// its own fields, side by side on one database.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "demo_options.h"
#include "form_window.h"
#include "orvo/database.h"
#include "side_panel.h"

namespace orvo::demo {

class DemoApp {
 public:
  DemoApp(const DemoOptions& options, DatabaseRef db);
  ~DemoApp();

  // A new form window, loaded from the form file (or the program's own form when the file
  // cannot be read), shown where the window manager places it. The first sits beside the
  // event panel.
  FormWindow& NewWindow();
  SidePanel& Panel() { return panel_; }
  std::vector<FormWindow*> Windows() const;
  DatabaseRef Database() const { return db_; }

 private:
  DemoOptions options_;
  DatabaseRef db_;
  SidePanel panel_;
  std::vector<QPointer<FormWindow>> windows_;
  int opened_ = 0;
};

}  // namespace orvo::demo
