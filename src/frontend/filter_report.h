// Per-channel filter report in the analysis file.
#pragma once

namespace cmd7730 {

struct RunState;

void filter_report(RunState& st, int channel);
}  // namespace cmd7730
