// The program driver: checks the command line and runs one compile through
// its fixed order of phases.  It alone turns early stops into exit statuses.
#pragma once

#include <string>
#include <vector>

namespace cmd7730 {

struct RunState;

// Runs `cmd7730 <args>` with the console and standard output sinks of `st`
// already attached.  Returns the exit status: 0 no Error, 1 an Error or an
// early stop on unusable input, 2 a wrong command line, -1 an internal FIR
// inconsistency.
int run_cmd7730(RunState& st, const std::vector<std::string>& args);

// Compiles `control_file` as `run_cmd7730` does with that one argument, under
// the options already set in `st.options`.  Returns the exit status.  With
// `check_only` the outputs stay in memory, the temporary command file is a
// private one removed at the end, and the check findings (see
// frontend/check_findings.h) turn a status of 0 into 1.
int compile_control_file(RunState& st, const std::string& control_file);

// The three stretches of a compile, in order; `st.control_file` must be set.
// Each may throw EarlyStop.
//
// Builds the catalogue, writes the temporary command file and runs the first
// interpretation pass.  Returns 1 when the run must end there, else 0.
int prepare_and_interpret(RunState& st);
// The same after the catalogue build: writes the temporary command file and
// runs the first interpretation pass.  Returns 1 when the run must end
// there, else 0.
int interpret_control_file(RunState& st);
// Runs the mixer step, the declaration check, the configuration, the
// consistency checks and (analysis selected) the filter reports and the
// power estimate.
void compute_configuration(RunState& st);
// Runs the override pass if one is pending, then builds the register image,
// writes and closes the selected outputs.  Returns the exit status.
int finish_outputs(RunState& st);

}  // namespace cmd7730
