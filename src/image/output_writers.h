// The register outputs: the variable table, the simulation script, and the
// bench register-write script written together with the C header's table of
// register writes; the response plot and the JSON document.  Each writer
// writes only to outputs selected by `print`.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace cmd7730 {

struct RunState;
struct RegisterImage;
struct ChannelResponse;

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

// Calls `write(page, address, value)` for each register write of the bench
// script and the C header, in their order: the power-down preamble, every
// used register, the FIR memories, the held-back mixer selections, registers
// 0 and 3 and the sync pulses.  Page -1 is a global register; values are
// their low 16 bits.
void for_each_register_write(const RunState& st, const RegisterImage& image,
                             const std::function<void(int, int, uint32_t)>& write);

// Writes the response plot: a panel per channel in `responses`.
void write_response_plot(RunState& st, const std::vector<ChannelResponse>& responses);

// Writes the JSON document: the tool, the control file, the run's status so
// far, the reported Errors and Warnings, every variable, the register writes,
// the FIR memories and the channels' responses.
void write_json(RunState& st, const RegisterImage& image,
                const std::vector<ChannelResponse>& responses);

// Writes the selected outputs in the order table, simulation, bench + header,
// response plot, JSON document.
void write_outputs(RunState& st, const RegisterImage& image);

}  // namespace cmd7730
