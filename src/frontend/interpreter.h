// The command interpreter.  It reads the temporary command file line by line
// and carries each line out: assignments to catalogue variables (range
// checked), `mode`, `channel`, `copy_channel`, `fir_coef`, `help`, `print`
// and `override`.  The first pass runs before the computations and stops at
// `override`; the override pass runs after them over the rest of the file,
// so that the values it assigns replace computed ones.  What survives from
// one pass to the other is kept in `st.interp`.
#pragma once

namespace cmd7730 {

struct RunState;

// Runs the first pass (when `st.interp.override_mark` is clear) or the
// override pass (when a first pass stopped at `override`).  Returns the
// interpretation failure flag: 1 when any line failed, else 0.  Ends the run
// with EarlyStop{1} when the temporary command file cannot be read, a
// coefficient file cannot be opened or an output file cannot be created.
int interpret_pass(RunState& st);

}  // namespace cmd7730
