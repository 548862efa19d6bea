#include "config/gain.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// Largest gain word value the receive gain block takes without saturating.
constexpr int64_t kMaxStaticGain = 0x3ffff;
// Unity gain: the gain is the word / 4096.
constexpr int64_t kUnityWord = 4096;

double log2_of(double x) { return std::log(x) / std::log(2.0); }
double pow2(double e) { return std::pow(2.0, e); }

// A double variable counts as given when it is above its unset marker.
bool given(double v) { return v > -0.5; }

// `x`, already floored or ceiled, as an integer pinned to [lo, hi]; NaN
// gives `nan_value`.
int64_t pin(double x, int64_t lo, int64_t hi, int64_t nan_value) {
  if (std::isnan(x)) return nan_value;
  if (x <= static_cast<double>(lo)) return lo;
  if (x >= static_cast<double>(hi)) return hi;
  return static_cast<int64_t>(x);
}

// A gain word from a double, pinned to the 32-bit range.  A negative word is
// kept as it is (its low bits are what the registers get) and reported by
// `refuse_negative_gain`.
int64_t word_of(double x) { return pin(x, INT_MIN, INT_MAX, 0); }

// The gain block has no sign: a negative word's bits read as a large
// positive gain.  Reports the setting that asked for one.
void refuse_negative_gain(RunState& st, const char* setting, int line) {
  Error(st, strf("%s is below 0; a gain word can not hold a negative gain", setting), kTagConfig,
        line);
}

// Twice a 32-bit word, wrapping as the chip tool's 32-bit arithmetic does.
int64_t doubled32(int64_t c) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int32_t>(c)) * 2u);
}

// v >> n with the sign kept (floor of v / 2^n).
int64_t shr(int64_t v, int n) {
  const int64_t step = int64_t{1} << n;
  return v >= 0 ? v / step : -((-v + step - 1) / step);
}

int low16(int64_t v) { return static_cast<int>(static_cast<uint64_t>(v) & 0xffff); }

// FIR gain at DC: sum of the taps scaled by the FIR shift and spread over
// the interpolation phases.  0 without a usable interpolation factor.
double dc_fir_gain(int sumtap, int fs, int fir_int) {
  if (fir_int < 1) return 0.0;
  return sumtap / (pow2(21 - fs) * fir_int);
}

// The largest sum of absolute tap values over the interpolation phases:
// the most any one output of an interpolating FIR can reach.
double coefficient_peak(const ChannelSettings& ch) {
  const int n = std::min(ch.ncoefs, kMaxCoefs);
  int64_t peak = 0;
  for (int j = 0; j < ch.fir_int; ++j) {
    if (j >= n) break;
    int64_t sum = 0;
    for (int i = j; i < n; i += ch.fir_int) sum += std::llabs(static_cast<int64_t>(ch.coefs[i]));
    peak = std::max(peak, sum);
  }
  return static_cast<double>(peak);
}

void mixed_gain_warning(RunState& st, int line) {
  Warning(st, "Gain block gain has been set with gain_lsb or gain, but overall_gain is also set.",
          kTagConfig, line);
  LogLine(st, "    (gain block gain being set limits ability to get exactly overall_gain)\n");
}

void transmit_channel(RunState& st, int c) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];

  if (!is_unset(ch.gain_lsb)) {
    if (given(ch.gain)) {
      Warning(st,
              "Both gain and gain_lsb are set; using gain_msb and gain_lsb values for gain block.",
              kTagConfig, 1799);
    }
    set_if_unset(ch.gain_msb, 0);
    ch.gain = (ch.gain_msb * 65536.0 + ch.gain_lsb) / 4096;
  } else if (!is_unset(ch.gain_msb)) {
    if (given(ch.gain)) {
      Warning(st,
              "Both gain and gain_msb are set; using gain_msb and gain_lsb values for gain block.",
              kTagConfig, 1811);
    }
    Warning(st, "gain_msb is set, but gain_lsb is not.", kTagConfig, 1815);
  } else if (given(ch.gain)) {
    if (ch.gain < 0) refuse_negative_gain(st, "gain", 1820);
    const int64_t d = word_of(std::floor(ch.gain * 4096));
    set_if_unset(ch.gain_msb, static_cast<int>(shr(d, 16)));
    set_if_unset(ch.gain_lsb, low16(d));
  }

  if (given(ch.overall_gain) && !is_unset(ch.gain_lsb)) mixed_gain_warning(st, 1831);
  if (!given(ch.overall_gain)) ch.overall_gain = 1.0;

  if (ch.pwr_mtr_on != 0) {
    Warning(st, "Power meter being used in transmit mode; only measures power of input", kTagConfig,
            1843);
  }
  set_if_unset(ch.pwr_mtr_sync, 7);
  set_if_unset(ch.pwr_mtr_integ, 0);

  // FIR shift: as much gain as the largest phase sum leaves room for.
  const double P = coefficient_peak(ch);
  if (P == 0) {
    Warning(st, "FIR coefficients are all zero; gain settings can not be derived from them.",
            kTagConfig, 1851);
  }
  int fs = 7;
  if (P > 0) fs = static_cast<int>(pin(std::ceil(21 - log2_of(P)), 0, 7, 7));

  // Starting word: the one that brings the coefficient peak to full scale.
  int64_t c_word;
  if (is_unset(ch.gain_lsb)) {
    c_word = P > 0 ? word_of(std::floor(4096 / (P / pow2(21 - fs)))) : kUnityWord;
    if (ch.fir_sym != 0) c_word = shr(c_word, 1);
  } else {
    c_word = word_of(std::floor(ch.gain * 4096));
  }

  ch.fir_gain = dc_fir_gain(ch.sumtap, fs, ch.fir_int);
  const bool chain_ok = ch.fir_gain > 0;
  if (P > 0 && !chain_ok) {
    Warning(st,
            "Sum of FIR coefficients is not above 0; overall_gain can not be met, keeping the "
            "gain from the coefficient peak.",
            kTagConfig, 1880);
  }

  // Transmit CIC shift: compensates the interpolator's growth cic_int^stages-1.
  // A count below 1 is taken as no interpolation, like a bypassed CIC.
  const bool no_cic = ch.cic_int <= 1 || ch.cic_bypass != 0;
  double G = 1.0;
  int s = 39;
  if (!no_cic) {
    G = std::pow(static_cast<double>(ch.cic_int), 5 - (ch.cic_xmt_5stg == 1 ? 1 : 0));
    s = static_cast<int>(pin(std::floor(41 - log2_of(G)), -1000, 1000, 0));
    if (is_unset(ch.cic_shift)) {
      if (s < 0) {
        Warning(st, "CIC shift was calculated to be negative; setting to 0 as MIN value",
                kTagConfig, 1899);
        s = 0;
      } else if (s > 39) {
        Warning(st, "CIC shift was calculated to be over 39; setting to 39 as MAX value",
                kTagConfig, 1904);
        s = 39;
      }
    }
  }
  set_if_unset(ch.cic_shift, s);
  ch.cic_gain = no_cic ? 1.0 : pow2(s - 41) * G;

  // The chip-wide target: the largest overall_gain of the transmit channels.
  double target = 0;
  for (int k = 0; k < 4; ++k) {
    if (st.pair[k / 2].mode == kModeReceive) continue;
    if (st.ch[k].overall_gain > 0 && st.ch[k].overall_gain > target) {
      target = st.ch[k].overall_gain;
    }
  }

  // Summing block: the first transmit channel fixes the chip-wide shift.
  auto sum_shift_for = [&](int unity) {
    const double reach = ch.cic_gain * ch.fir_gain * c_word / 4096;
    if (!(reach > 0) || !std::isfinite(reach)) return unity;
    const double F = target / reach;
    return static_cast<int>(pin(std::ceil(log2_of(F)) + unity, 0, 7, unity));
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

  // Final word for this channel's own target, then traded against the FIR
  // shift until it sits in the gain block's best range.
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
      c_word =
          word_of(std::floor(ch.overall_gain * 4096 / (ch.cic_gain * ch.fir_gain * ch.sum_gain)));
    }
    while (c_word < lo && fs > 0) c_word = doubled32(c_word), --fs;
    while (c_word > hi && fs < 7) c_word /= 2, ++fs;
  }
  if (c_word < lo || c_word > hi) {
    if (symmetric) {
      Warning(st, "Gain is not in optimal range (1024 < gain < 2047 is optimal due to symmetry).",
              kTagConfig, 1997);
    } else {
      Warning(st, "Gain is not in optimal range (2048 < gain < 4096 is optimal).", kTagConfig,
              1995);
    }
  }

  set_if_unset(ch.gain_lsb, low16(c_word));
  set_if_unset(ch.gain_msb, static_cast<int>(shr(c_word, 16)));
  ch.gain = c_word / 4096.0;
  set_if_unset(ch.fir_shift, fs);

  ch.fir_gain = dc_fir_gain(ch.sumtap, fs, ch.fir_int);
  ch.fir_peak_gain = P / pow2(21 - fs);

  if (ch.fir_gain * ch.gain * ch.cic_gain > 1) {
    Error(st, "settings violate gain constraint:  gain * fir_gain * cic_gain must not be over 1.0",
          kTagConfig, 2012);
    ErrorText(st, "   try decreasing gain or overall_gain\n");
  }
}

// Stores a receive gain word, saturating at the largest static gain.
void store_receive_word(ChannelSettings& ch, int64_t e) {
  set_if_unset(ch.gain_lsb, low16(e));
  set_if_unset(ch.gain_msb, static_cast<int>(shr(e, 16) & 7));
}

void agc_loop(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
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

  // Loop exponent from the time constant counted in output samples.
  int D = 0;
  const double fck = st.chip.fck;
  if (ch.agc_tc > 0 && fck > 0 && std::isfinite(fck) && ch.fir_dec > 0 && ch.cic_dec > 0) {
    const double samples =
        ch.agc_tc * fck / (static_cast<double>(ch.fir_dec) * static_cast<double>(ch.cic_dec));
    D = static_cast<int>(pin(std::floor(log2_of(samples) - 1.25), -1000, 15, 0));
  } else {
    Warning(st,
            "AGC time constant can not be computed (agc_tc, fck, fir_dec and cic_dec must be "
            "above 0); using 0 for the AGC shifts.",
            kTagConfig, 2150);
  }
  ch.agc_step = D;
  ch.agc_time_constant = pow2(D + 1.75);

  set_if_unset(ch.agc_Dblw, D);
  set_if_unset(ch.agc_Dabv, ch.agc_mode != 2 ? D : std::max(D - 2, 0));
  set_if_unset(ch.agc_Dzro, std::max(D - 4, 0));
  set_if_unset(ch.agc_Dsat, std::max(D - 4, 0));

  const int64_t word = static_cast<int64_t>(ch.gain_msb & 7) * 65536 + ch.gain_lsb;
  const int64_t L = shr(word, 3);
  set_if_unset(ch.agc_min, static_cast<int>(L - 2));
  const double settle = 65536 / (1 + pow2(-2.0 - ch.agc_Dzro));
  set_if_unset(ch.agc_max, static_cast<int>(pin(std::floor(settle), 0, 65536, 0) - L));

  // Threshold: the RMS level that leaves the crest factor's headroom.
  static constexpr double kModeFactor[3] = {0.6745, 1.0, 1.28};
  const double level = 256 / std::pow(10.0, ch.agc_cf / 20.0) * kModeFactor[ch.agc_mode];
  int t = static_cast<int>(pin(std::floor(level), 0, INT_MAX, 0));
  if (t > 255 && is_unset(ch.agc_thresh)) {
    Warning(st, "agc_thresh calculated to be higher than 255. Setting to 255.", kTagConfig, 2195);
    LogLine(st, "    check that agc_cf is not too low and that agc_mode is correct.");
    t = 255;
  }
  set_if_unset(ch.agc_thresh, t);
}

void receive_channel(RunState& st, int c) {
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
  int64_t e = 0;
  if (ch.gain != kUnsetWide) {
    if (!is_unset(ch.gain_lsb)) {
      Warning(st, "Both gain and gain_lsb are set...ignoring gain, using gain_lsb setting.",
              kTagConfig, 2040);
      ch.gain = kUnsetWide;
    } else {
      if (ch.gain < 0) refuse_negative_gain(st, "gain", 2045);
      e = word_of(std::trunc(ch.gain * 4096 + 0.5));
      computed = true;
      store_receive_word(ch, e);
    }
  }

  if (given(ch.overall_gain) && !is_unset(ch.gain_lsb)) mixed_gain_warning(st, 2055);
  if (!given(ch.overall_gain)) ch.overall_gain = 2.0;

  // FIR shift from the gain ahead of the gain block.
  const double ahead = ch.sumtap * ch.cic_gain * ch.rshift_gain * ch.zpad_gain;
  const bool chain_ok = ahead > 0 && std::isfinite(ahead) && ch.mix_gain > 0;
  int64_t fs = 0;
  if (!chain_ok) {
    Warning(st,
            "Sum of FIR coefficients or the CIC gain is not above 0; overall_gain can not be met, "
            "using unity gain.",
            kTagConfig, 2064);
  } else if (ch.overall_gain > 0) {
    fs = 21 - pin(std::floor(log2_of(ahead / ch.overall_gain)), -5000, 5000, 0);
  }

  auto fir_dc = [&](int64_t shift) { return pow2(static_cast<double>(shift - 21)) * ch.sumtap; };
  if (ch.agc_freeze != 0) {
    if (fir_dc(fs) > 2) {
      Warning(st,
              "agc_freeze is high, so assuming AGC is not used. Trying to set fir_shift so that "
              "gain",
              kTagConfig, 2079);
      LogLine(st,
              "    in FIR block does not exceed 2.0 (note that fir_shift can not go lower than "
              "0).\n");
    }
    while (fir_dc(fs) > 2) --fs;
  }
  fs = std::clamp<int64_t>(fs, 0, 7);
  set_if_unset(ch.fir_shift, static_cast<int>(fs));
  ch.fir_gain = fir_dc(fs);

  if (is_unset(ch.gain_lsb)) {
    if (!chain_ok) {
      e = kUnityWord;
    } else if (ch.overall_gain == 0) {
      Warning(st, "overall_gain is not above 0; setting the gain block to 0.", kTagConfig, 2092);
      e = 0;
    } else {
      if (ch.overall_gain < 0) refuse_negative_gain(st, "overall_gain", 2093);
      const double rest = ch.fir_gain * ch.cic_gain * ch.rshift_gain * ch.mix_gain * ch.zpad_gain;
      e = word_of(std::floor(ch.overall_gain / rest * 4096 + 0.5));
    }
    computed = true;
    store_receive_word(ch, e);
  }

  const int64_t word =
      computed ? e : static_cast<int64_t>(ch.gain_msb) * 65536 + static_cast<int64_t>(ch.gain_lsb);
  if (word > kMaxStaticGain) {
    Warning(st, "Static AGC gain calculated to be larger than max (gain_msb and gain_lsb",
            kTagConfig, 2106);
    LogLine(st, "together larger than 0x3ffff). Saturating the gain.\n");
    ch.gain_msb = 7;
    ch.gain_lsb = 0xffff;
  }

  if (ch.pwr_mtr_on != 0) {
    set_if_unset(ch.pwr_mtr_sync, 0);
    set_if_unset(ch.pwr_mtr_integ, 0xfffe);
  } else {
    set_if_unset(ch.pwr_mtr_sync, 7);
    set_if_unset(ch.pwr_mtr_integ, 0);
  }

  if (ch.agc_freeze == 0) {
    agc_loop(st, c);
  } else {
    for (int* cell : {&ch.agc_min, &ch.agc_max, &ch.agc_thresh, &ch.agc_Dblw, &ch.agc_Dabv,
                      &ch.agc_Dzro, &ch.agc_Dsat}) {
      set_if_unset(*cell, 0);
    }
  }
}

}  // namespace

void gain_step(RunState& st) {
  for (int c = 0; c < 4; ++c) {
    if (st.pair[c / 2].mode != kModeReceive && st.ch[c].powerdown == 0) transmit_channel(st, c);
  }
  for (int c = 0; c < 4; ++c) {
    if (st.pair[c / 2].mode == kModeReceive && st.ch[c].powerdown == 0) receive_channel(st, c);
  }
}

}  // namespace cmd7730
