// The one ProcessState of the process.
#include "control/process_state.h"

namespace orvo {

ProcessState& Process() {
  static ProcessState state;
  return state;
}

}  // namespace orvo
