// The CIC step: the CIC mode bits of every channel, the transmit stage
// count, the receive shifter (`cic_shift`, `cic_rshift`) that undoes the
// CIC's bit growth, and the receive stage gains `zpad_gain`, `mix_gain`,
// `rshift_gain` and `cic_gain` that the gain step and the gain report
// multiply.  It ends with the mixer input selection.
#pragma once

namespace cmd7730 {

struct RunState;

// Bit growth of a receive CIC decimating by `n` behind a mixer of gain 0.5
// and zero padding `zpad`, in bits, evaluated in exactly this order in
// double precision (exact powers of two sit on a rounding edge, so the
// order decides the shift).  `n` must be at least 1.
double cic_bit_growth(int n, int zpad);

// A computed CIC shift pinned to the shifter's 0..39, with a Warning (at
// `line_negative` or `line_over`) when `report` and the value had to move.
// Callers apply it only to a shift the user left unset.
int clamp_cic_shift(RunState& st, int shift, bool report, int line_negative, int line_over);

// Runs the step over channels A..D, then the mixer input selection.
void cic_step(RunState& st);

}  // namespace cmd7730
