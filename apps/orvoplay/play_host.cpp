// Creating the runner's host; the only file that knows the concrete hosts.
#include "play_host.h"

#include "base/error.h"
#include "host/core/core_list_box.h"
#include "host/headless/headless_host.h"
#include "script_runner.h"

#ifdef ORVO_HAVE_QT
#include "host/qt/qt_host_factory.h"
#endif

namespace orvo::play {

std::unique_ptr<FormHost> CreatePlayHost(HostKind kind) {
  if (kind == HostKind::Headless) return std::make_unique<HeadlessHost>();
#ifdef ORVO_HAVE_QT
  return CreateQtHost();
#else
  RaiseError(err::kNotAvailableYet, "orvoplay: this build has no Qt host");
#endif
}

int16_t ListRowAt(ListBox& list, float y) {
  auto* core = dynamic_cast<CoreListBox*>(&list);
  return core ? core->RowAt(y) : -1;
}

void SavePlayHostScreenshot(FormHost& host, const std::string& path) {
#ifdef ORVO_HAVE_QT
  if (IsQtHost(host)) {
    if (!SaveQtScreenshot(host, path))
      RaiseError(err::kInvalidProcedureCall, "orvoplay: cannot write the screenshot " + path);
    return;
  }
#endif
  // Other hosts have nothing to photograph; they print nothing either, so that one script
  // gives the same transcript in every host.
  (void)host, (void)path;
}

}  // namespace orvo::play
