// Control-file preprocessing: copies the control file into the temporary
// command file that the interpreter reads, resolving its name against the
// "zq7730" and "txt" extensions, dropping blank lines, cutting lines at a
// literal "^M", deleting non-printable characters with a warning and
// expanding `include` lines in place, recursively.
#pragma once

#include <string>

namespace cmd7730 {

struct RunState;

class OutputFile;

// Deepest nesting of `include` lines that is followed; a deeper one ends the
// run as unusable input.
inline constexpr int kMaxIncludeDepth = 64;

// Copies the cleaned control file `name` (and the files it includes) into
// `tmp`, with one empty line after each file.  Returns 0.  Ends the run with
// EarlyStop{1}, after an Error, when a file cannot be opened, an `include`
// names no file, includes run in a cycle or nest deeper than
// kMaxIncludeDepth.
int createTmpCmdFile(RunState& st, const std::string& name, OutputFile& tmp);

}  // namespace cmd7730
