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

}  // namespace cmd7730
