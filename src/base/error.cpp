// The single helper that raises orvo::Error.
#include "base/error.h"

namespace orvo {

void RaiseError(int32_t number, std::string message) {
  throw Error(number, std::move(message));
}

}  // namespace orvo
