#include "config/power.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void power_estimate(RunState&) {}
}  // namespace cmd7730
