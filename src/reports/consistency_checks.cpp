#include "reports/consistency_checks.h"

#include <cstdint>

#include "config/channel_roles.h"
#include "config/gain_block.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/run_state.h"
#include "reports/gain_report.h"

namespace cmd7730 {
namespace {

constexpr std::string_view kTag = kTagSanity;

// A remainder of 1 or -1.
bool is_odd(int v) { return v % 2 != 0; }

// a / b rounded towards plus infinity; b must not be 0.
int64_t ceil_div(int64_t a, int64_t b) {
  int64_t q = a / b;
  if (a % b != 0 && ((a < 0) == (b < 0))) ++q;
  return q;
}

void chip_checks(RunState& st) {
  const ChipSettings& k = st.chip;
  if (k.tout_rate == 2 && (k.splitiqAB == 0 || k.splitiqCD == 0)) {
    Error(st, "If tout_rate is double then splitiq must be on", kTag, 14);
  }
  if (k.rin_rate == 2 && (k.splitiqAB == 0 || k.splitiqCD == 0)) {
    Error(st, "If rin_rate is double then splitiq must be on", kTag, 16);
  }
}

// The frame strobe comes every (sck_div + 1) chip clocks; it is periodic in
// the data only when that divides the channel's rate change.
void clock_divide_check(RunState& st, int c) {
  const ChannelSettings& ch = st.ch[c];
  const int64_t divide = static_cast<int64_t>(ch.sck_div) + 1;
  // An unset sck_div goes to the chip as 0, a divide by 1, which divides
  // every rate change.
  if (divide == 0) return;
  if (pair_transmits(st, c)) {
    if ((static_cast<int64_t>(ch.fir_int) * ch.cic_int) % divide != 0) {
      Warning(st,
              "Clock divide does not evenly divide into interpolation; frame strobe will not be "
              "periodic.",
              kTag, 25);
    }
  } else if ((static_cast<int64_t>(ch.fir_dec) * ch.cic_dec) % divide != 0) {
    Warning(st,
            "Clock divide does not evenly divide into decimation; frame strobe will not be "
            "periodic.",
            kTag, 31);
  }
}

// Checks 1 to 6 of every active channel, whatever its direction.
void common_channel_checks(RunState& st, int c) {
  const ChipSettings& k = st.chip;
  const ChannelSettings& ch = st.ch[c];
  clock_divide_check(st, c);

  if (xmt_transmits(ch) && k.toutf_hold_sync < 6 && k.toutf_hold != 0) {
    if (k.tout_rate == 2) {
      Error(st,
            "Should never have both double rate and hold active.  Probably need to turn off "
            "toutf_hold\n",
            kTag, 39);
    }
    if (k.toutf_halfcmplx_AB != 0 || k.toutf_halfcmplx_CD != 0) {
      Error(st,
            "Should never have both IQmux out and thold active.  Probably need to turn off "
            "toutf_hold\n",
            kTag, 41);
    }
  }

  if (pair_transmits(st, c)) {
    if (k.tout_rate == 2 && is_odd(ch.cic_int)) {
      Error(st, "For double rate mode, cic must interpolate by even number (at least 2)", kTag, 49);
    }
  } else if (k.rin_rate == 2 && is_odd(ch.cic_dec)) {
    Error(st, "For double rate mode, cic must decimate by even number (at least 2)", kTag, 54);
  }

  if (ch.ncic != 0 && ch.ncic < ch.fir_clk_cnt) {
    Error(st, "fir_clk_cnt larger than ncic", kTag, 58);
  }

  if (ch.agc_gain_out != 0) {
    if (ch.gain_rnd < 12) {
      Error(st, "gain_rnd must be at least 12 for embedded AGC tag to work", kTag, 62);
    }
    const int64_t rate_change = static_cast<int64_t>(ch.fir_dec) * ch.cic_dec;
    if ((rate_change >= 1 && rate_change <= 4) || (rate_change >= 7 && rate_change <= 9)) {
      Warning(st, "embedded AGC tag (gain data out) format mixed; MSB's come out one cycle late",
              kTag, 67);
    }
  }
}

// In double rate the even channel of a pair carries the tuning word; the odd
// one's phase offset must match it.  Only a hint, not a Warning.
void double_rate_tuning_hint(RunState& st, int c) {
  const ChannelSettings& even = st.ch[c];
  const ChannelSettings& odd = st.ch[c + 1];
  const int64_t expected = (2 * (static_cast<int64_t>(odd.phase) - even.phase)) & 0xFFFF;
  const int64_t d = even.freq_msb - expected;
  if (d < -1 || d > 1) {
    LogLine(st, "In double rate mode the tuning frequency = chan[i+1].phase - chan[i].phase");
    LogLine(st, "and the frequency word in channels i and i+1 should be");
    LogLine(st, " = (2*tuning_frequency)& 0xffff");
  }
}

// With time-division input all transmit channels share channel 0's serial
// port, so its strobe source, clock divide and clock sync must agree.
void tdm_compare(RunState& st, int other, int line) {
  const ChannelSettings& a = st.ch[0];
  const ChannelSettings& b = st.ch[other];
  if (a.tinf_xmt != b.tinf_xmt) {
    Error(st, strf("In tdm tinf_xmt must match channels 0,%d", other), kTag, line);
  }
  if (a.sck_div != b.sck_div) {
    Error(st, strf("In tdm tinf_sck_div must match channels 0,%d", other), kTag, line + 1);
  }
  if (a.sck_sync != b.sck_sync) {
    Error(st, strf("In tdm sck_sync must match channels 0,%d", other), kTag, line + 2);
  }
}

void transmit_checks(RunState& st, int c) {
  const ChipSettings& k = st.chip;
  const ChannelSettings& ch = st.ch[c];

  if ((k.sum_selI & 0x0C) == 0x0C) Error(st, "sum_selI s2 and s3 must not both be 1", kTag, 83);
  if ((k.sum_selI & 0xC0) == 0xC0) Error(st, "sum_selI s6 and s7 must not both be 1", kTag, 84);
  if ((k.sum_selQ & 0x0C) == 0x0C) Error(st, "sum_selQ s2 and s3 must not both be 1", kTag, 85);
  if ((k.sum_selQ & 0xC0) == 0xC0) Error(st, "sum_selQ s6 and s7 must not both be 1", kTag, 86);

  // A word of `bits` bits arrives over `pins` pins, one bit per pin per
  // divided clock; it must be in before the next frame strobe.
  if (ch.pins < 1) {
    Error(st,
          strf("pins is %d, so no data can get in for channel %d; pins must be 4, 8 or 16", ch.pins,
               c),
          kTag, 94);
  } else if (static_cast<int64_t>(ch.tinf_fs_cnt) + 1 < ceil_div(ch.bits, ch.pins)) {
    Error(st, "Not enough time to get data in for channel", kTag, 94);
  }

  if (c == 0 && ch.tinf_src == 6) {
    tdm_compare(st, 1, 99);
    if (pair_transmits(st, 2)) {
      if (st.ch[2].powerdown == 0) tdm_compare(st, 2, 105);
      if (st.ch[3].powerdown == 0) tdm_compare(st, 3, 111);
    }
  }

  if (ch.tinf_cmplx == 0 && ch.bypass_mix == 0 && pair_split_iq(st.chip, c) == 0) {
    Error(st, "Real data input to tinf and then to FIR but complex", kTag, 118);
    Error(st, "data expected out (to go to mix).", kTag, 119);
  }
  if (ch.ncic == 0 && ch.tinf_cmplx == 1) {
    Error(st, "FIR can't produce complex output at the chip clock rate\n", kTag, 123);
  }
  if (ch.gain > 128.0) Error(st, "gain can not be larger than 128\n", kTag, 126);

  transmit_gain_report(st, c);
}

// The AGC adapts the gain word between base - agc_min and base + agc_max;
// both ends must stay clear of the gain block's overflow and underflow.
void agc_limit_checks(RunState& st, int c) {
  const ChannelSettings& ch = st.ch[c];
  const int64_t g = gain_word(ch);

  const int64_t limit = agc_overflow_limit(ch.agc_Dzro) - shift_right(g, 3);
  if (ch.agc_max > limit) Warning(st, "agc_max too large to prevent overflow", kTag, 206);

  int64_t m = ch.agc_min;
  const int64_t q = g / 8;
  for (int i = 0; i < 4; ++i) m += shift_right(q + m, ch.agc_Dsat);
  if (m > 65536) Warning(st, "agc_min too small to prevent underflow", kTag, 212);

  if (8 * static_cast<int64_t>(ch.agc_min) > g) {
    Warning(st, "Base gain in AGC smaller than agc_min.", kTag, 220);
  }
  if (8 * static_cast<int64_t>(ch.agc_max) < g) {
    Warning(st, "Base gain in AGC larger than agc_max.", kTag, 222);
  }
}

// The front of the receive chain (zero pad, mixer, CIC shifter, CIC) must not
// amplify a full-scale input into saturation.
void gain_restriction_checks(RunState& st, int c) {
  const ChannelSettings& ch = st.ch[c];
  const double front_gain = ch.zpad_gain * ch.cic_gain * ch.rshift_gain * ch.mix_gain;
  if (st.chip.rin_cmplx != 0 && ch.fir_sym == 0 && front_gain > 0.70711) {
    Warning(st, "Gain settings violate gain restriction:", kTag, 229);
    LogLine(st,
            "zpad_gain x mix_gain x cic_gain x rshift_gain <= .70711 with complex in and "
            "nonsymmetric filter");
  }
  if (front_gain > 1.0) {
    Warning(st, "Gain settings violate gain restriction:", kTag, 234);
    LogLine(st, "    zpad_gain x mix_gain x cic_gain x rshift_gain <= 1");
    LogLine(st, "    This may be because cic_dec is too large. Decrease it or");
    LogLine(st, "    decrease input signal amplitude.");
  }
  if (ch.fir_sym != 0 && front_gain > 0.5) {
    Warning(st, "Gain settings violate gain restriction:", kTag, 241);
    LogLine(st, "zpad_gain x mix_gain x cic_gain x rshift_gain <= .5 with symmetric filter\n");
  }
}

void receive_checks(RunState& st, int c) {
  const ChannelSettings& ch = st.ch[c];
  if (pair_split_iq(st.chip, c) != 0 && ch.routf_iqmux != 0) {
    Warning(st, "If splitiq is on in receive routf_cmplx should be 0", kTag, 178);
  }
  if (ch.swap_cmplx == 1 && ch.ncic < 1) {
    Error(st, "For I/Q mode in channel, the cic must decimate by at least 2", kTag, 195);
  }
  if (ch.agc_freeze == 0) agc_limit_checks(st, c);
  gain_restriction_checks(st, c);
  receive_gain_report(st, c);
}

void check_channel(RunState& st, int c) {
  common_channel_checks(st, c);
  gain_report_header(st, c);
  if (st.chip.tout_rate == 2 || st.chip.rin_rate == 2) {
    // The odd channel of a double-rate pair is the even one's second half.
    if (c % 2 != 0) return;
    double_rate_tuning_hint(st, c);
  }
  // Only a pair declared transmit gets the transmit checks; an undeclared
  // pair is checked as a receiver.
  if (pair_transmits(st, c)) {
    transmit_checks(st, c);
  } else {
    receive_checks(st, c);
  }
  if (st.ch[c].tinf_fso_dly == 0) {
    Warning(st, "tinf_fso_dly is set to 0, frame strobe will always be high", kTag, 301);
  }
}

}  // namespace

void consistency_checks(RunState& st) {
  chip_checks(st);
  for (int c = 0; c < 4; ++c) {
    if (st.ch[c].powerdown != 0) continue;
    check_channel(st, c);
  }
  if (st.chip.gen_timer_sync == 5) {
    Error(st, "Don't sync general timer with the general timer or funny things happen", kTag, 304);
  }
}

}  // namespace cmd7730
