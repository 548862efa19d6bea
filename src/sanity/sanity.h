// The consistency pass over the configured chip, with the gain reports.
#pragma once

namespace cmd7730 {

struct RunState;

void consistency_checks(RunState& st);
}  // namespace cmd7730
