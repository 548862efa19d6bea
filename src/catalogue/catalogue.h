// The chip's catalogue: every row of the register map registered, in order,
// into the run's catalogue index, with its cells in the run's settings.
#pragma once

#include "core/variables.h"

namespace cmd7730 {

struct RunState;

// Registers every row of the register map in order, pointing the entries at
// the cells of the run's settings, sets every cell to the unset marker and
// marks every channel as having no coefficients.  Called once per run.
void build_catalogue(RunState& st);

}  // namespace cmd7730
