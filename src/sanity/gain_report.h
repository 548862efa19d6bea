// The per-channel gain analysis report written into the analysis file.
#pragma once

namespace cmd7730 {

struct RunState;

// Writes the gain report of one channel (only when the analysis output is open).
void gain_report(RunState& st, int channel);
}  // namespace cmd7730
