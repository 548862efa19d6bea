// The back-end formatters: chip-wide port enables, every channel's pin and
// word-width codes, the receive output formatter and input selections, and
// for transmit channels the frame-strobe schedule (strobe count, load points
// of the first and second word) and the strobe output delay that lines the
// input up with the FIR's swap RAM.
#pragma once

namespace cmd7730 {

struct RunState;

// Fills the formatter variables of all four channels (set if unset, except
// the few forced ones).  Runs after the CIC and output formatter steps, when
// `ncic`, `fir_int`, `fir_cmplx` and `swap_wa_cnt` are final.
void input_formatter_step(RunState& st);

}  // namespace cmd7730
