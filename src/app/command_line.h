// The command line: `cmd7730 controlfile` as it always was, and the options
// around it (help, version, -C, the diagnostics form, check mode and the
// variable listing).
#pragma once

#include <string>
#include <vector>

namespace cmd7730 {

struct RunState;

// Runs `cmd7730 <args>` with the console and standard output sinks of `st`
// attached.  When no argument starts with '-' this is exactly `run_cmd7730`;
// otherwise the options are parsed first.  Returns the exit status: that of
// the compile, 0 after --help, --version or a --variables listing that found
// something, 1 for one that found nothing, 2 for a wrong command line.
int run_command_line(RunState& st, const std::vector<std::string>& args);

}  // namespace cmd7730
