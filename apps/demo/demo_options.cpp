// Reading the demo's command line.
#include "demo_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "orvo/postgres_database.h"

namespace orvo::demo {

bool ReadOptions(int argc, char** argv, DemoOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!std::strcmp(arg, "--rows") && next) {
      char* end = nullptr;
      options.rows = std::strtoll(next, &end, 10);
      if (*end || options.rows < 0) {
        std::fprintf(stderr, "demo: --rows takes a number of rows, not \"%s\"\n", next);
        return false;
      }
      ++i;
    } else if (!std::strcmp(arg, "--postgres") && next) {
      if (!IsConnectionString(next)) {
        std::fprintf(stderr,
                     "demo: --postgres takes a connection string (\"host=... dbname=...\" or "
                     "postgresql://...), not \"%s\"\n",
                     next);
        return false;
      }
      options.database = argv[++i];
    } else if (!std::strcmp(arg, "--database") && next) {
      options.database = argv[++i];
    } else if (!std::strcmp(arg, "--form") && next) {
      options.form = argv[++i];
    } else if (!std::strcmp(arg, "--save-form") && next) {
      options.saveForm = argv[++i];
    } else if (!std::strcmp(arg, "--screenshot") && next) {
      options.screenshots = argv[++i];
    } else if (!std::strcmp(arg, "--system-locale")) {
      options.systemLocale = true;
    } else {
      std::fprintf(stderr,
                   "usage: demo [--rows N] [--database PATH | --postgres CONNECTION-STRING]\n"
                   "            [--form FILE] [--save-form FILE]\n"
                   "            [--screenshot DIR] [--system-locale]\n");
      return false;
    }
  }
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && options.screenshots.empty() && options.saveForm.empty())
    options.screenshots = "build/demo-shots";
  return true;
}

}  // namespace orvo::demo
