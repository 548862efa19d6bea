// The transmit input formatter and frame-strobe timing, and the receive output formatter codes.
#pragma once

namespace cmd7730 {

struct RunState;

void input_formatter_step(RunState& st);
}  // namespace cmd7730
