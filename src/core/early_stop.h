// An early end of the run.  Phases deep inside the compile throw it after
// reporting why; the driver catches it, closes the outputs and returns the
// status.  Nothing below the driver ends the process.
#pragma once

namespace cmd7730 {

struct EarlyStop {
  int status;  // 1: unusable input, -1: internal FIR inconsistency
};

}  // namespace cmd7730
