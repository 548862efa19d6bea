// The AGC loop constants of a receive channel whose AGC runs: the loop step
// D from the time constant `agc_tc` counted in output samples, the four
// shifts derived from it, the adaptation limits around the base gain word,
// and the threshold that leaves the crest factor `agc_cf` as headroom.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "config/gain_block.h"
#include "config/gain_parts.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// Fills a missing time constant, crest factor or mode with its default.
void agc_defaults(RunState& st, ChannelSettings& ch) {
  if (is_unset(ch.agc_tc)) {
    Warning(st, "agc_freeze is 0 (i.e., agc is on), but agc_tc (target agc time constant in",
            kTagConfig, 2130);
    LogLine(st, "microseconds) not set. Defaulting to 1000 microseconds.\n");
    ch.agc_tc = 1000;
  }
  if (is_unset(ch.agc_cf)) {
    Warning(st, "agc_freeze is 0 (i.e., agc is on), but agc_cf (target agc crest factor in",
            kTagConfig, 2136);
    LogLine(st, "dB) not set. Defaulting to 10dB.\n");
    ch.agc_cf = 10;
  }
  if (ch.agc_mode < 0 || ch.agc_mode > 2) {
    Warning(st, "agc_freeze is 0 (i.e., agc is on), but agc_mode (0 for CDMA, 1 for narrowband",
            kTagConfig, 2142);
    LogLine(st, "and 2 for mixed signals) not set or set wrong. Defaulting to 2 (mixed).\n");
    ch.agc_mode = 2;
  }
}

// Loop step D: log2 of the time constant in output samples, less 1.25.
int agc_loop_step(RunState& st, const ChannelSettings& ch) {
  const double fck = st.chip.fck;
  if (ch.agc_tc > 0 && fck > 0 && std::isfinite(fck) && ch.fir_dec > 0 && ch.cic_dec > 0) {
    const double samples =
        ch.agc_tc * fck / (static_cast<double>(ch.fir_dec) * static_cast<double>(ch.cic_dec));
    return static_cast<int>(clamp_to(std::floor(log2_of(samples) - 1.25), -1000, 15));
  }
  Warning(st,
          "AGC time constant can not be computed (agc_tc, fck, fir_dec and cic_dec must be "
          "above 0); using 0 for the AGC shifts.",
          kTagConfig, 2150);
  return 0;
}

}  // namespace

void agc_constants(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  agc_defaults(st, ch);

  const int step = agc_loop_step(st, ch);  // D
  ch.agc_step = step;
  ch.agc_time_constant = pow2(step + 1.75);

  set_if_unset(ch.agc_Dblw, step);
  set_if_unset(ch.agc_Dabv, ch.agc_mode != 2 ? step : std::max(step - 2, 0));
  set_if_unset(ch.agc_Dzro, std::max(step - 4, 0));
  set_if_unset(ch.agc_Dsat, std::max(step - 4, 0));

  // The gain adapts between base - agc_min and base + agc_max, where base
  // (L) is the gain word / 8.
  const int64_t base = shift_right(gain_word(ch), 3);
  set_if_unset(ch.agc_min, static_cast<int>(base - 2));
  set_if_unset(ch.agc_max, static_cast<int>(agc_overflow_limit(ch.agc_Dzro) - base));

  // Threshold: the RMS level that leaves the crest factor's headroom.
  static constexpr double kModeFactor[3] = {0.6745, 1.0, 1.28};
  const double level = 256 / std::pow(10.0, ch.agc_cf / 20.0) * kModeFactor[ch.agc_mode];
  int thresh = static_cast<int>(clamp_to(std::floor(level), 0, INT_MAX));
  if (thresh > 255 && is_unset(ch.agc_thresh)) {
    Warning(st, "agc_thresh calculated to be higher than 255. Setting to 255.", kTagConfig, 2195);
    LogLine(st, "    check that agc_cf is not too low and that agc_mode is correct.");
    thresh = 255;
  }
  set_if_unset(ch.agc_thresh, thresh);
}

}  // namespace cmd7730
