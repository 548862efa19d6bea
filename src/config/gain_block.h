// The gain block's 19-bit word and the AGC headroom above it, read the same
// way by the gain step that sets them and by the checks and reports that
// judge them.
#pragma once

#include <cstdint>

#include "core/numeric.h"
#include "core/settings.h"

namespace cmd7730 {

// The gain word G = gain_msb * 65536 + gain_lsb (gain = G / 4096).  Fields
// are taken as stored: every pass that reads the word runs after the gain
// step has set both halves, so the unset marker is never part of it.
inline int64_t gain_word(const ChannelSettings& ch) {
  return static_cast<int64_t>(ch.gain_msb) * 65536 + ch.gain_lsb;
}

// The largest value the AGC's 16-bit gain accumulator settles at before it
// overflows: floor(65536 / (1 + 2^(-2 - agc_Dzro))).  The AGC may raise the
// gain by this much less the base gain G / 8.
inline int64_t agc_overflow_limit(int agc_Dzro) {
  const double settle = 65536 / (1 + pow2(-2.0 - agc_Dzro));
  return clamp_to(std::floor(settle), 0, 65536);
}

}  // namespace cmd7730
