// The FIR's share of the chip clock, as the filter table and the power
// estimate both count it: the FIR is busy for its input rate u of every
// (ncic + 1) * fir_int chip clocks.
#pragma once

#include <cstdint>

#include "core/settings.h"

namespace cmd7730 {

// Why the FIR cycle (ncic + 1) * fir_int has a zero factor, or null when it
// has none.  ncic + 1 is 0 only for an unset ncic.
inline const char* fir_cycle_zero_factor(const ChannelSettings& ch) {
  if (static_cast<int64_t>(ch.ncic) + 1 == 0) return "ncic is unset";
  if (ch.fir_int == 0) return "fir_int is 0";
  return nullptr;
}

// `busy` spread over the FIR cycle: busy / (ncic + 1) / fir_int, divided in
// that order.  With busy = u it is the FIR's duty; the power estimate passes
// its load already scaled by u.  Only for a cycle without a zero factor.
inline double per_fir_cycle(const ChannelSettings& ch, double busy) {
  return busy / static_cast<double>(static_cast<int64_t>(ch.ncic) + 1) / ch.fir_int;
}

}  // namespace cmd7730
