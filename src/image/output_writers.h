// The register outputs: the variable table, the simulation script, and the
// bench register-write script written together with the C header's table of
// register writes.  Each writer writes only to outputs selected by `print`.
#pragma once

namespace cmd7730 {

struct RunState;
struct RegisterImage;

// Writes one line per variable, in registration order, to the table output.
void write_table(RunState& st);

// Writes the simulation script: every used register in index order (the
// mixer input selections at address 21 of pages 128 and 160 held back), the
// FIR memories of each channel, then the held-back registers and global
// registers 0 and 3.
void write_sim_script(RunState& st, const RegisterImage& image);

// Writes one sequence of register writes to the bench script and the C
// header: the power-down preamble, every used register, the FIR memories,
// the held-back mixer selections, registers 0 and 3 and the sync pulses.
void write_register_sequence(RunState& st, const RegisterImage& image);

// Writes the selected outputs in the order table, simulation, bench + header.
void write_outputs(RunState& st, const RegisterImage& image);

}  // namespace cmd7730
