// The per-channel filter report in the analysis file: the 16-bit check of the
// coefficients, the minimum chip clock for the FIR setting in use, the tap
// summary and the table of FIR configurations the search found possible,
// with the one in use marked.
#pragma once

namespace cmd7730 {

struct RunState;

// Writes the report of `channel` if a coefficient file was read for it.
// Coefficients beyond 16 bits set the interpreter's failure flag, so a
// following `override` pass fails.
void filter_report(RunState& st, int channel);

}  // namespace cmd7730
