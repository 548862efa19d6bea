#include "config/gain.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void gain_step(RunState&) {}
}  // namespace cmd7730
