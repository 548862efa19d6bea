// The frame-strobe output delay of a transmit channel (`tinf_fso_dly`): the
// delay, 1 to 7 chip clocks, at which a sample's words are all in when the
// FIR's swap RAM takes them.  The input formatter works out the channel's
// timing and hands it here.
#pragma once

#include <cstdint>

namespace cmd7730 {

struct RunState;
struct ChannelSettings;

// How the transmit input word is laid out: I and Q in parallel on one
// 16-pin word, I then Q multiplexed in series, or one real word.
enum class Layout { kParallel, kSeries, kReal };

// The timing of one transmit channel's input, in chip clocks unless said
// otherwise.
struct Timing {
  bool tdm = false;
  Layout layout = Layout::kReal;
  int64_t cycle = 0;         // clocks per CIC input sample, (ncic + 1) * fir_int
  int64_t sck = 0;           // slow clock divider (unset reads as 0, as the register does)
  int64_t slow_clock = 1;    // chip clocks per slow clock, sck + 1 (E)
  int64_t words = 1;         // words per sample, ceil(bits / pins) (v)
  int64_t strobe_delay = 0;  // frame-strobe delay, in slow clocks (d)
  bool max_rate = false;     // words arrive back to back, at the fastest rate
};

// Sets `tinf_fso_dly` unless the user gave one; a delay that stands is only
// checked.  Writes the alignment notes to the analysis file and warns when
// no delay fits.
void choose_strobe_delay(RunState& st, ChannelSettings& ch, const Timing& t);

}  // namespace cmd7730
