// Mixer step (power-down mapping, split I/Q, tuning words, sample rates) and the mixer input
// selection.
#pragma once

namespace cmd7730 {

struct RunState;

void mixer_step(RunState& st);
void mixer_input_selection(RunState& st);
}  // namespace cmd7730
