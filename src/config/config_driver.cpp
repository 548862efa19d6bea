#include "config/config_driver.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
void configure_channels(RunState&) {}
}  // namespace cmd7730
