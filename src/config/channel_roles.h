// What a channel is doing, asked the same way everywhere.
//
// A channel's direction can be read two ways, and the steps use both on
// purpose: from its pair's declared `mode` (what the user asked for) or from
// its own `xmt` variable (what the channel's registers will say).  They agree
// unless the user sets `xmt` by hand.  Among the pair readings, "transmits"
// and "receives" are not each other's negation: a pair left undeclared does
// neither, so a step must say which side it puts that pair on.
#pragma once

#include "core/run_state.h"

namespace cmd7730 {

// The pair `mode` of channel `c`'s pair.
inline bool pair_transmits(const RunState& st, int c) {
  return st.pair[c / 2].mode == kModeTransmit;
}
inline bool pair_receives(const RunState& st, int c) { return st.pair[c / 2].mode == kModeReceive; }

// The channel's own `xmt` variable: 1 transmits, 0 receives, anything else
// neither.
inline bool xmt_transmits(const ChannelSettings& ch) { return ch.xmt == 1; }
inline bool xmt_receives(const ChannelSettings& ch) { return ch.xmt == 0; }

// A powered-up channel whose `xmt` says receive.
inline bool live_receiver(const ChannelSettings& ch) {
  return ch.powerdown == 0 && xmt_receives(ch);
}

// Ports C and D belong to a live receiver in transceive: either channel of
// pair CD receiving while powered up.
inline bool live_receiver_on_cd(const RunState& st) {
  return live_receiver(st.ch[2]) || live_receiver(st.ch[3]);
}

// Split I/Q is a pair setting: `splitiqAB` for channels A and B, `splitiqCD`
// for C and D (the raw register value, unset included).
inline int pair_split_iq(const ChipSettings& chip, int c) {
  return c < 2 ? chip.splitiqAB : chip.splitiqCD;
}

// Double rate: `tout_rate` 2 for a transmitting channel, `rin_rate` 2 for a
// receiving one, never for a channel that does neither.
inline bool double_rate(const ChipSettings& chip, bool transmits, bool receives) {
  return (transmits && chip.tout_rate == 2) || (receives && chip.rin_rate == 2);
}

}  // namespace cmd7730
