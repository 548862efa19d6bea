// The transmit output formatter and the summing tree.
//
// In transmit the channel outputs meet in two summing paths (A and B, each
// with an I and a Q sum, plus an optional external sum input on ports CO and
// DO) and leave on up to four ports.  From the user's description of the
// output signal (`tout_nsig`, `tout_cmplx`, `tout_rate`, `tout_res`,
// `tout_sumin`) and the active transmit channel count this step checks the
// port budget and derives the sum selectors, summing modes and port codes.
#pragma once

namespace cmd7730 {

struct RunState;

// The port format code word for a resolution, signal count, complex flag and
// rate; -1 when the chip has no port layout for that combination.
int port_code_word(int res, int nsig, int cmplx, int rate);

// Runs the step; does nothing when no transmit channel is active.
void output_formatter_step(RunState& st);

}  // namespace cmd7730
