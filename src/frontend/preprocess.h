// Control-file preprocessing into the temporary command file.
#pragma once

#include <string>

namespace cmd7730 {

struct RunState;

class OutputFile;

// Copies the cleaned control file (and the files it includes) into `tmp`.
// Returns 0; stops the run (status 1) when a file cannot be opened.
int createTmpCmdFile(RunState& st, const std::string& name, OutputFile& tmp);
}  // namespace cmd7730
