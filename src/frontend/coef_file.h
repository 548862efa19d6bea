// FIR coefficient files: one integer coefficient per line (anything after
// the number, and lines without one, are ignored), at most 512 of them.
// Reading a file fills a channel's coefficient list and the summary the
// FIR, CIC and gain steps work from: `ncoefs`, `coefsym`, `maxtap`, `sumtap`.
#pragma once

#include <string>

namespace cmd7730 {

struct RunState;
struct ChannelSettings;

// Reads coefficient file `name` (no extension search) into channel
// `channel` (0..3), computes its summary and marks the channel as loaded.
// More than 512 numbers, or a number that does not fit in 32 bits, is
// reported on the console and fails the interpretation pass.  A file that
// cannot be opened ends the run with EarlyStop{1}.
void read_coef_file(RunState& st, int channel, const std::string& name);

// Computes `coefsym`, `maxtap` and `sumtap` of `c` from its first `count`
// coefficients.  `maxtap` and `sumtap` saturate at 2147483647 in magnitude.
void summarize_coefs(ChannelSettings& c, int count);

}  // namespace cmd7730
