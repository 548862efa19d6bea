#include "config/mixer.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void mixer_step(RunState&) {}
void mixer_input_selection(RunState&) {}
}  // namespace cmd7730
