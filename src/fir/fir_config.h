// fir_config(): configures the programmable FIR of one channel (input rate,
// tap budget, coefficient memory layout and address generators).
#pragma once

namespace cmd7730 {

struct RunState;

// Returns 1 when the FIR was configured, 0 when the case was refused and -1
// on a coefficient layout error.
int fir_config(RunState& st, int channel);

}  // namespace cmd7730
