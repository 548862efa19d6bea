// The power estimate line of the analysis report.
#pragma once

namespace cmd7730 {

struct RunState;

void power_estimate(RunState& st);
}  // namespace cmd7730
