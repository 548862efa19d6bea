// The CIC step: stage counts, receive shift and gain factors; ends with the mixer input selection.
#pragma once

namespace cmd7730 {

struct RunState;

void cic_step(RunState& st);
}  // namespace cmd7730
