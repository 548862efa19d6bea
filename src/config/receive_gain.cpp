// Receive gain: the FIR shift and the gain block word that bring the receive
// chain (zero pad, mixer, shifter, CIC, FIR, gain block) to `overall_gain`,
// the saturation of the word at the block's largest static gain, the power
// meter defaults, and then the AGC constants (agc.cpp) or their idle values.
#include <algorithm>
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

// Largest gain word value the receive gain block takes without saturating.
constexpr int64_t kMaxStaticGain = 0x3ffff;

// Stores a receive gain word; the high part keeps the block's 3 bits.
void store_receive_word(ChannelSettings& ch, int64_t word) {
  set_if_unset(ch.gain_lsb, low16(word));
  set_if_unset(ch.gain_msb, static_cast<int>(shift_right(word, 16) & 7));
}

// FIR DC gain at a FIR shift: sumtap * 2^(shift - 21).
double fir_dc_gain(const ChannelSettings& ch, int64_t fir_shift) {
  return pow2(static_cast<double>(fir_shift - 21)) * ch.sumtap;
}

// The FIR shift from the gain ahead of the gain block; with the AGC frozen
// the FIR itself is kept at a gain of 2 at most.
int64_t receive_fir_shift(RunState& st, const ChannelSettings& ch, double ahead, bool chain_ok) {
  int64_t fir_shift = 0;
  if (!chain_ok) {
    Warning(st,
            "Sum of FIR coefficients or the CIC gain is not above 0; overall_gain can not be met, "
            "using unity gain.",
            kTagConfig, 2064);
  } else if (ch.overall_gain > 0) {
    fir_shift = 21 - clamp_to(std::floor(log2_of(ahead / ch.overall_gain)), -5000, 5000);
  }

  if (ch.agc_freeze != 0) {
    if (fir_dc_gain(ch, fir_shift) > 2) {
      Warning(st,
              "agc_freeze is high, so assuming AGC is not used. Trying to set fir_shift so that "
              "gain",
              kTagConfig, 2079);
      LogLine(st,
              "    in FIR block does not exceed 2.0 (note that fir_shift can not go lower than "
              "0).\n");
    }
    while (fir_dc_gain(ch, fir_shift) > 2) --fir_shift;
  }
  return std::clamp<int64_t>(fir_shift, 0, 7);
}

// The word the rest of the chain leaves to the gain block (E).
int64_t receive_word(RunState& st, const ChannelSettings& ch, bool chain_ok) {
  if (!chain_ok) return kUnityWord;
  if (ch.overall_gain == 0) {
    Warning(st, "overall_gain is not above 0; setting the gain block to 0.", kTagConfig, 2092);
    return 0;
  }
  if (ch.overall_gain < 0) refuse_negative_gain(st, "overall_gain", 2093);
  const double rest = ch.fir_gain * ch.cic_gain * ch.rshift_gain * ch.mix_gain * ch.zpad_gain;
  return word_of(std::floor(ch.overall_gain / rest * 4096 + 0.5));
}

void power_meter_and_agc(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  if (ch.pwr_mtr_on != 0) {
    set_if_unset(ch.pwr_mtr_sync, 0);
    set_if_unset(ch.pwr_mtr_integ, 0xfffe);
  } else {
    set_if_unset(ch.pwr_mtr_sync, 7);
    set_if_unset(ch.pwr_mtr_integ, 0);
  }

  if (ch.agc_freeze == 0) {
    agc_constants(st, c);
  } else {
    for (int* cell : {&ch.agc_min, &ch.agc_max, &ch.agc_thresh, &ch.agc_Dblw, &ch.agc_Dabv,
                      &ch.agc_Dzro, &ch.agc_Dsat}) {
      set_if_unset(*cell, 0);
    }
  }
}

}  // namespace

void receive_gain(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];

  if (!is_unset(ch.gain_msb) && is_unset(ch.gain_lsb)) {
    Warning(st, "Set gain_msb without setting gain_lsb...ignoring gain_msb setting.", kTagConfig,
            2029);
    ch.gain_msb = kUnset;
  }
  if (!is_unset(ch.gain_lsb)) set_if_unset(ch.gain_msb, 0);

  // The full word when this pass computes one: saturation is judged on it,
  // not on the 3-bit high part.
  bool computed = false;
  int64_t word = 0;
  if (ch.gain != kUnsetWide) {
    if (!is_unset(ch.gain_lsb)) {
      Warning(st, "Both gain and gain_lsb are set...ignoring gain, using gain_lsb setting.",
              kTagConfig, 2040);
      ch.gain = kUnsetWide;
    } else {
      if (ch.gain < 0) refuse_negative_gain(st, "gain", 2045);
      word = word_of(std::trunc(ch.gain * 4096 + 0.5));
      computed = true;
      store_receive_word(ch, word);
    }
  }

  if (given(ch.overall_gain) && !is_unset(ch.gain_lsb)) mixed_gain_warning(st, 2055);
  if (!given(ch.overall_gain)) ch.overall_gain = 2.0;

  // The gain ahead of the gain block fixes the FIR shift.
  const double ahead = ch.sumtap * ch.cic_gain * ch.rshift_gain * ch.zpad_gain;
  const bool chain_ok = ahead > 0 && std::isfinite(ahead) && ch.mix_gain > 0;
  const int64_t fir_shift = receive_fir_shift(st, ch, ahead, chain_ok);
  set_if_unset(ch.fir_shift, static_cast<int>(fir_shift));
  ch.fir_gain = fir_dc_gain(ch, fir_shift);

  if (is_unset(ch.gain_lsb)) {
    word = receive_word(st, ch, chain_ok);
    computed = true;
    store_receive_word(ch, word);
  }

  if ((computed ? word : gain_word(ch)) > kMaxStaticGain) {
    Warning(st, "Static AGC gain calculated to be larger than max (gain_msb and gain_lsb",
            kTagConfig, 2106);
    LogLine(st, "together larger than 0x3ffff). Saturating the gain.\n");
    ch.gain_msb = 7;
    ch.gain_lsb = 0xffff;
  }

  power_meter_and_agc(st, c);
}

}  // namespace cmd7730
