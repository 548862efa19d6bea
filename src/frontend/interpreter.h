// The command interpreter: the first pass and the override pass over the temporary command file.
#pragma once

namespace cmd7730 {

struct RunState;

// Runs one pass; returns the failure flag (0 or 1).
int interpret_pass(RunState& st);
}  // namespace cmd7730
