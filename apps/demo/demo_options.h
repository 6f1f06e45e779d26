// The demo's command line.
#pragma once

#include <cstdint>
#include <string>

namespace orvo::demo {

struct DemoOptions {
  int64_t rows = 10000;       // customers in a database created on first use
  std::string database;       // a file or a PostgreSQL connection string; empty:
                              // demo-clientes.db beside the program
  std::string form;           // the form file; empty: customer.form.json beside the program
  std::string saveForm;       // write the form file here and exit
  std::string screenshots;    // a folder: write the pictures there and exit
  bool systemLocale = false;  // the system's regional settings instead of pt-BR's
};

// Reads argv into `options`; false (with a message on stderr) when it cannot. Without a
// display, and without --screenshot, the pictures go to build/demo-shots.
bool ReadOptions(int argc, char** argv, DemoOptions& options);

}  // namespace orvo::demo
