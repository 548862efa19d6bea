#include "catalogue/defaults.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void set_defaults(RunState&) {}
void check_declarations(RunState&) {}
}  // namespace cmd7730
