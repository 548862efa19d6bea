#include "frontend/preprocess.h"

#include "frontend/run_state.h"

namespace cmd7730 {

// Empty step: not built yet.
int createTmpCmdFile(RunState&, const std::string&, OutputFile&) { return 0; }
}  // namespace cmd7730
