// The per-channel gain analysis in the analysis file: the section header, the
// transmit report (block gains, DC and peak gain, internal noise) and the
// receive table of block and cumulative gains with the AGC settings.  A
// channel whose gain settings repeat an earlier channel's gets a one-line
// back-reference instead.  Everything here is a no-op unless the analysis
// output is open, and nothing reaches the console.
#pragma once

namespace cmd7730 {

struct RunState;

// Writes "\nDoing analysis for channel %d\n".
void gain_report_header(RunState& st, int channel);

// Writes the transmit gain report of `channel`, or "Same as channel %d\n".
void transmit_gain_report(RunState& st, int channel);

// Writes the receive gain table and AGC block of `channel`, or
// "Same as channel %d\n".
void receive_gain_report(RunState& st, int channel);

}  // namespace cmd7730
