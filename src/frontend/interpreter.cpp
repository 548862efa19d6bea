#include "frontend/interpreter.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
int interpret_pass(RunState&) { return 0; }
}  // namespace cmd7730
