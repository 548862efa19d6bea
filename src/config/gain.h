// The gain block behind every channel's FIR and, in receive, the AGC: turns
// `overall_gain` into `fir_shift`, the 19-bit gain word (`gain_msb`,
// `gain_lsb`; gain = word / 4096), the transmit CIC shift and the summing
// block shift, and derives the AGC loop constants from a time constant and a
// crest factor.  Leaves the stage gain factors for the gain analysis report.
#pragma once

namespace cmd7730 {

struct RunState;

// Runs the transmit pass (every active channel whose pair is not in
// receive), then the receive pass (every active receive channel).
void gain_step(RunState& st);

}  // namespace cmd7730
