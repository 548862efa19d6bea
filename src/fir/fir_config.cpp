#include "fir/fir_config.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: the FIR configuration search is not built yet.
int fir_config(RunState&, int) { return 0; }

}  // namespace cmd7730
