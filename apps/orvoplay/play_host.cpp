// Creating the runner's host; the only file that knows the concrete hosts.
#if __has_include("host/form_host.h")
#include "play_host.h"

#include "base/error.h"
#include "host/headless/headless_host.h"
#include "script_runner.h"

namespace orvo::play {

std::unique_ptr<FormHost> CreatePlayHost(HostKind kind) {
  if (kind == HostKind::Headless) return std::make_unique<HeadlessHost>();
  RaiseError(err::kNotAvailableYet, "orvoplay: the Qt host is not available yet");
}

void SavePlayHostScreenshot(FormHost&, const std::string&) {
  RaiseError(err::kNotAvailableYet, "orvoplay: `screenshot` needs the Qt host");
}

}  // namespace orvo::play
#endif
