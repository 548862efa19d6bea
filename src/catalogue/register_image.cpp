#include "catalogue/register_image.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void write_register_outputs(RunState&) {}
}  // namespace cmd7730
