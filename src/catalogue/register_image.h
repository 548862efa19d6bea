// The register image and the table, simulation, bench and header writers.
#pragma once

namespace cmd7730 {

struct RunState;

// Packs every variable into the register image and writes the selected outputs.
void write_register_outputs(RunState& st);
}  // namespace cmd7730
