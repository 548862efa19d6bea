// The transmit output formatter: output paths, summing tree and port codes.
#pragma once

namespace cmd7730 {

struct RunState;

void output_formatter_step(RunState& st);
}  // namespace cmd7730
