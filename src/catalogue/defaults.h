// The defaults pass and the declaration check.
#pragma once

namespace cmd7730 {

struct RunState;

void set_defaults(RunState& st);
void check_declarations(RunState& st);
}  // namespace cmd7730
