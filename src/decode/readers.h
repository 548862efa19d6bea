// The three register files a run writes, read back into writes on an
// ImageBuilder: the C header's regs[] table, the bench script's dwr16 lines
// and the simulation script's Wglb/Wcon lines and memory lines.  Each reader
// takes exactly what its writer (image/register_sequence.cpp,
// image/sim_writer.cpp) produces, blank lines and CRLF line ends included,
// and throws Refusal at the first line it cannot take.
#pragma once

#include <string_view>

#include "decode/image_builder.h"

namespace cmd7730 {

enum class RegisterFileForm { kUnknown, kHeader, kBench, kSim };

// Returns the form of `text`, judged by its first line that is not blank.
RegisterFileForm recognise_form(std::string_view text);

// Each reads a whole file of its form into `out`; throws Refusal.
void read_header(std::string_view text, ImageBuilder& out);
void read_bench_script(std::string_view text, ImageBuilder& out);
void read_sim_script(std::string_view text, ImageBuilder& out);

}  // namespace cmd7730
