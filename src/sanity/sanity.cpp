#include "sanity/sanity.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void consistency_checks(RunState&) {}
}  // namespace cmd7730
