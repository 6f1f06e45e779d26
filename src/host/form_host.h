// FormHost: a form of OrvoMask controls that a runner or an application drives like a user.
// Every host is the host model (CoreHost) over a platform of its own.
#pragma once

#include "host/core/core_host.h"

namespace orvo {

using FormHost = CoreHost;

}  // namespace orvo
