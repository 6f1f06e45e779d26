// Creating a headless host through the public face.
#include "host/headless/headless_host.h"

#include "orvo/headless_host.h"

namespace orvo {

std::unique_ptr<FormHost> CreateHeadlessHost() {
  return std::make_unique<HeadlessHost>();
}

}  // namespace orvo
