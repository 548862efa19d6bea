#include "config/cic.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void cic_step(RunState&) {}
}  // namespace cmd7730
