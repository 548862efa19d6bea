// Transmit gain: the gain block word, the FIR shift, the transmit CIC shift
// and the chip-wide summing shift of a transmit channel, chosen so that the
// channel reaches its `overall_gain` with the word in the block's best range,
// and the check that the gain block, FIR and CIC together do not amplify.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "config/channel_roles.h"
#include "config/cic.h"
#include "config/gain_block.h"
#include "config/gain_parts.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// Twice a 32-bit word, wrapping as the chip tool's 32-bit arithmetic does.
int64_t doubled32(int64_t word) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int32_t>(word)) * 2u);
}

// FIR gain at DC: sum of the taps scaled by the FIR shift and spread over
// the interpolation phases.  0 without a usable interpolation factor.
double dc_fir_gain(int sumtap, int fir_shift, int fir_int) {
  if (fir_int < 1) return 0.0;
  return sumtap / (pow2(21 - fir_shift) * fir_int);
}

// The largest sum of absolute tap values over the interpolation phases:
// the most any one output of an interpolating FIR can reach.
double coefficient_peak(const ChannelSettings& ch) {
  const int n = std::min(ch.ncoefs, kMaxCoefs);
  int64_t peak = 0;
  for (int phase = 0; phase < ch.fir_int; ++phase) {
    if (phase >= n) break;
    int64_t sum = 0;
    for (int i = phase; i < n; i += ch.fir_int)
      sum += std::llabs(static_cast<int64_t>(ch.coefs[i]));
    peak = std::max(peak, sum);
  }
  return static_cast<double>(peak);
}

// Takes a gain block setting the user gave (the words, or `gain`), and the
// transmit defaults of `overall_gain` and the power meter.
void take_given_gain(RunState& st, ChannelSettings& ch) {
  if (!is_unset(ch.gain_lsb)) {
    if (given(ch.gain)) {
      Warning(st,
              "Both gain and gain_lsb are set; using gain_msb and gain_lsb values for gain block.",
              kTagConfig, 1799);
    }
    set_if_unset(ch.gain_msb, 0);
    ch.gain = static_cast<double>(gain_word(ch)) / 4096;
  } else if (!is_unset(ch.gain_msb)) {
    if (given(ch.gain)) {
      Warning(st,
              "Both gain and gain_msb are set; using gain_msb and gain_lsb values for gain block.",
              kTagConfig, 1811);
    }
    Warning(st, "gain_msb is set, but gain_lsb is not.", kTagConfig, 1815);
  } else if (given(ch.gain)) {
    if (ch.gain < 0) refuse_negative_gain(st, "gain", 1820);
    const int64_t word = word_of(std::floor(ch.gain * 4096));
    set_if_unset(ch.gain_msb, static_cast<int>(shift_right(word, 16)));
    set_if_unset(ch.gain_lsb, low16(word));
  }

  if (given(ch.overall_gain) && !is_unset(ch.gain_lsb)) mixed_gain_warning(st, 1831);
  if (!given(ch.overall_gain)) ch.overall_gain = 1.0;

  if (ch.pwr_mtr_on != 0) {
    Warning(st, "Power meter being used in transmit mode; only measures power of input", kTagConfig,
            1843);
  }
  set_if_unset(ch.pwr_mtr_sync, 7);
  set_if_unset(ch.pwr_mtr_integ, 0);
}

// Transmit CIC shift: compensates the interpolator's growth
// cic_int^(stages - 1) (G).  A count below 1 is taken as no interpolation,
// like a bypassed CIC.  Sets `cic_shift` if unset and `cic_gain` from the
// computed shift.
void transmit_cic_shift(RunState& st, ChannelSettings& ch) {
  const bool no_cic = ch.cic_int <= 1 || ch.cic_bypass != 0;
  double growth = 1.0;  // G
  int shift = 39;       // s
  if (!no_cic) {
    growth = std::pow(static_cast<double>(ch.cic_int), 5 - (ch.cic_xmt_5stg == 1 ? 1 : 0));
    shift = static_cast<int>(clamp_to(std::floor(41 - log2_of(growth)), -1000, 1000));
    if (is_unset(ch.cic_shift)) shift = clamp_cic_shift(st, shift, true, 1899, 1904);
  }
  set_if_unset(ch.cic_shift, shift);
  ch.cic_gain = no_cic ? 1.0 : pow2(shift - 41) * growth;
}

// The chip-wide target: the largest overall_gain of the channels the
// transmit pass takes (every pair not declared receive).
double chip_target(const RunState& st) {
  double target = 0;
  for (int k = 0; k < 4; ++k) {
    if (pair_receives(st, k)) continue;
    if (st.ch[k].overall_gain > 0 && st.ch[k].overall_gain > target) {
      target = st.ch[k].overall_gain;
    }
  }
  return target;
}

// Summing block: the first transmit channel fixes the chip-wide shift, as
// much as the target needs over what `word` reaches through CIC and FIR.
void summing_gain(RunState& st, ChannelSettings& ch, int64_t word) {
  ChipSettings& chip = st.chip;
  const double target = chip_target(st);
  auto sum_shift_for = [&](int unity) {
    const double reach = ch.cic_gain * ch.fir_gain * word / 4096;
    if (!(reach > 0) || !std::isfinite(reach)) return unity;
    const double shortfall = target / reach;  // F
    return static_cast<int>(clamp_to(std::ceil(log2_of(shortfall)) + unity, 0, 7, unity));
  };
  if (chip.tout_nsig == 4) {
    ch.sum_gain = 1.0;
  } else if (chip.tout_nsig == 2 || chip.tout_res != 1) {
    if (is_unset(chip.sum_shift)) chip.sum_shift = sum_shift_for(3);
    ch.sum_gain = pow2(chip.sum_shift - 3);
  } else if (chip.tout_nsig == 1) {
    if (is_unset(chip.sum_shift)) chip.sum_shift = sum_shift_for(6);
    ch.sum_gain = pow2(chip.sum_shift - 6);
  } else {
    // High resolution with a signal count the output formatter rejects: the
    // summing mode is unknown, so the block is taken at unity.
    ch.sum_gain = 1.0;
  }
}

// The final word for the channel's own target, traded against the FIR
// shift until it sits in the gain block's best range; warns when it cannot.
void final_word(RunState& st, ChannelSettings& ch, bool chain_ok, int64_t& word, int& fir_shift) {
  const bool symmetric = ch.fir_sym != 0;
  const int64_t lo = symmetric ? 1024 : 2048;
  const int64_t hi = symmetric ? 2047 : 4096;
  if (is_unset(ch.gain_lsb)) {
    if (chain_ok) {
      if (ch.overall_gain < 0) {
        refuse_negative_gain(st, "overall_gain", 1977);
      } else if (!(ch.overall_gain > 0)) {
        Warning(st, "overall_gain is not above 0; setting the gain block to 0.", kTagConfig, 1976);
      }
      word =
          word_of(std::floor(ch.overall_gain * 4096 / (ch.cic_gain * ch.fir_gain * ch.sum_gain)));
    }
    while (word < lo && fir_shift > 0) word = doubled32(word), --fir_shift;
    while (word > hi && fir_shift < 7) word /= 2, ++fir_shift;
  }
  if (word < lo || word > hi) {
    if (symmetric) {
      Warning(st, "Gain is not in optimal range (1024 < gain < 2047 is optimal due to symmetry).",
              kTagConfig, 1997);
    } else {
      Warning(st, "Gain is not in optimal range (2048 < gain < 4096 is optimal).", kTagConfig,
              1995);
    }
  }
}

}  // namespace

void transmit_gain(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  take_given_gain(st, ch);

  // FIR shift: as much gain as the largest phase sum (P) leaves room for.
  const double coef_peak = coefficient_peak(ch);
  if (coef_peak == 0) {
    Warning(st, "FIR coefficients are all zero; gain settings can not be derived from them.",
            kTagConfig, 1851);
  }
  int fir_shift = 7;
  if (coef_peak > 0)
    fir_shift = static_cast<int>(clamp_to(std::ceil(21 - log2_of(coef_peak)), 0, 7, 7));

  // Starting word: the one that brings the coefficient peak to full scale.
  int64_t word;
  if (is_unset(ch.gain_lsb)) {
    word =
        coef_peak > 0 ? word_of(std::floor(4096 / (coef_peak / pow2(21 - fir_shift)))) : kUnityWord;
    if (ch.fir_sym != 0) word = shift_right(word, 1);
  } else {
    word = word_of(std::floor(ch.gain * 4096));
  }

  ch.fir_gain = dc_fir_gain(ch.sumtap, fir_shift, ch.fir_int);
  const bool chain_ok = ch.fir_gain > 0;
  if (coef_peak > 0 && !chain_ok) {
    Warning(st,
            "Sum of FIR coefficients is not above 0; overall_gain can not be met, keeping the "
            "gain from the coefficient peak.",
            kTagConfig, 1880);
  }

  transmit_cic_shift(st, ch);
  summing_gain(st, ch, word);
  final_word(st, ch, chain_ok, word, fir_shift);

  set_if_unset(ch.gain_lsb, low16(word));
  set_if_unset(ch.gain_msb, static_cast<int>(shift_right(word, 16)));
  ch.gain = word / 4096.0;
  set_if_unset(ch.fir_shift, fir_shift);

  ch.fir_gain = dc_fir_gain(ch.sumtap, fir_shift, ch.fir_int);
  ch.fir_peak_gain = coef_peak / pow2(21 - fir_shift);

  if (ch.fir_gain * ch.gain * ch.cic_gain > 1) {
    Error(st, "settings violate gain constraint:  gain * fir_gain * cic_gain must not be over 1.0",
          kTagConfig, 2012);
    ErrorText(st, "   try decreasing gain or overall_gain\n");
  }
}

}  // namespace cmd7730
