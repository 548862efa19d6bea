// Naming and creating the output files that `print` lines select.  Every
// output is named after the control file: its name cut at the first '.',
// then '.' and the output's extension, in the working directory.
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"

namespace cmd7730 {

// Returns `name` cut at its first '.' (a '.' in a directory part counts
// too), or the whole name when it has none.
std::string base_name(std::string_view name);

// Returns the file name of output `kind` for the control file `control_file`:
// base name, '.', extension.
std::string output_file_name(std::string_view control_file, OutputKind kind);

// Creates (or re-creates, closing the earlier file first) the file of output
// `kind` in `st.out[kind]`; the C header gets its banner at once.  When the
// file cannot be created, writes "Couldn't open <name>" to the console and
// ends the run with status 1.
void open_output_file(RunState& st, OutputKind kind);

}  // namespace cmd7730
