// The configuration driver: the channel walk and the fixed order of the computation steps.
#pragma once

namespace cmd7730 {

struct RunState;

void configure_channels(RunState& st);
}  // namespace cmd7730
