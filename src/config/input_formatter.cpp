#include "config/input_formatter.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void input_formatter_step(RunState&) {}
}  // namespace cmd7730
