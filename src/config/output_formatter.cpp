#include "config/output_formatter.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void output_formatter_step(RunState&) {}
}  // namespace cmd7730
