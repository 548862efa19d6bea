// The gain and AGC step.
#pragma once

namespace cmd7730 {

struct RunState;

void gain_step(RunState& st);
}  // namespace cmd7730
