// The configuration driver: walks channels A..D (FIR bypass, double-rate
// pairing, the CIC count, the FIR configuration, sync sources from
// `sync_mode`), then runs the CIC, output formatter, input formatter and gain
// steps in that fixed order and fills the two sync-output selectors.  It owns
// the active transmit channel count that the output formatter reads.
#pragma once

namespace cmd7730 {

struct RunState;

// The sync source number that `sync_mode` 0..9 selects (2, 3 or 4); -1 for
// any other mode.
int sync_source(int sync_mode);

// Signed 16-bit phase offset that puts the odd channel of a double-rate pair
// half a sample ahead of its even partner: the partner's `freq_msb` read as
// a signed 16-bit number, halved and rounded toward plus infinity.
int half_sample_phase(int partner_freq_msb);

// Derives every channel and chip-wide setting the user left open.  Reports
// through the message functions and never ends the run itself.
void configure_channels(RunState& st);

}  // namespace cmd7730
