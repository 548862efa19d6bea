#include "config/mixer.h"

#include <cmath>

#include "config/channel_roles.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

constexpr double kTurn = 65536.0;  // one 16-bit word of the tuning word

// Double rate forces the I/Q split on both pairs.
void force_split(ChipSettings& chip) {
  chip.splitiq = 1;
  chip.splitiqAB = 1;
  chip.splitiqCD = 1;
}

// A bypassed mixer has no tuning: zero words, a zero frequency and syncs that
// never fire.
void bypass_tuning(RunState& st, ChannelSettings& c) {
  if (is_unset(c.freq)) c.freq = 0.0;
  set_if_unset(c.freq_msb, 0);
  set_if_unset(c.freq_mid, 0);
  set_if_unset(c.freq_lsb, 0);
  set_if_unset(c.phase, 0);
  if (c.freq_msb != 0) Warning(st, "freq_msb should be 0 if bypassing mixer", kTagConfig, 78);
  if (c.freq != 0.0) Warning(st, "freq should be 0 if bypassing mixer", kTagConfig, 80);
  set_if_unset(c.nco_sync, 7);
  set_if_unset(c.freq_sync, 7);
  set_if_unset(c.phase_sync, 7);
  set_if_unset(c.dith_sync, 7);
}

// A live CIC needs its rate; a bypassed one runs at 1.
void check_cic_rate(RunState& st, ChannelSettings& c) {
  if (xmt_receives(c)) {
    if (c.bypass_cic == 0 && is_unset(c.cic_dec)) Error(st, "Need to set cic_dec", kTagConfig, 94);
    if (c.bypass_cic != 0) {
      set_if_unset(c.cic_dec, 1);
      if (c.cic_dec != 1) Warning(st, "cic_dec should be 1 if bypassing cic", kTagConfig, 100);
    }
  } else if (xmt_transmits(c)) {
    if (c.bypass_cic == 0 && is_unset(c.cic_int)) Error(st, "Need to set cic_int", kTagConfig, 108);
    if (c.bypass_cic != 0) {
      set_if_unset(c.cic_int, 1);
      if (c.cic_int != 1) Warning(st, "cic_int should be 1 if bypassing cic", kTagConfig, 114);
    }
  }
}

// The rate at which channel `i`'s oscillator advances, in MHz.  Transmit
// output hold decimates, receive zero padding interpolates, double rate
// doubles.  An unset hold or padding count reaches the chip as 0, so it
// divides by nothing here either.
double sample_rate(RunState& st, int i) {
  ChipSettings& chip = st.chip;
  ChannelSettings& c = st.ch[i];
  double r = chip.fck;
  if (xmt_transmits(c)) {
    if (chip.tout_rate == 2) force_split(chip);
    if (pair_split_iq(chip, i) != 0 && c.tinf_cmplx == 1) {
      Error(st, "If transmit and splitiq is on then tinf_cmplx must be 0", kTagConfig, 131);
    }
    if (chip.toutf_hold_sync < 6 && chip.toutf_hold > 0) r = r / (chip.toutf_hold + 1);
  } else {
    if (chip.rin_rate == 2) {
      force_split(chip);
      set_if_unset(st.ch[0].mix_rcv_sel, 0);
      set_if_unset(st.ch[1].mix_rcv_sel, chip.rin_cmplx + 1);
      set_if_unset(st.ch[2].mix_rcv_sel, 0);
      set_if_unset(st.ch[3].mix_rcv_sel, chip.rin_cmplx + 1);
    }
    if (chip.rinf_zpad > 0) {
      r = r / (chip.rinf_zpad + 1);
      if (chip.rin_rate == 2) {
        Error(st,
              "Should never have both double rate and zpad active.  Probably need to change "
              "rinf_zpad to 0\n",
              kTagConfig, 151);
      }
    }
  }
  if (double_rate(chip, xmt_transmits(c), xmt_receives(c))) r = 2 * r;
  return r;
}

// Fills the tuning word from `freq`, or `freq` from a word the user gave.
// The word always counts in turns of the chip clock; `freq` read back from a
// word is in turns of the channel's own sample rate `r`.
void tune(RunState& st, ChannelSettings& c, double r, bool& fck_reported) {
  if (is_unset(c.freq_msb)) {
    const std::optional<std::array<int, 3>> word =
        st.chip.fck > 0.0 ? tuning_word(c.freq, st.chip.fck) : std::nullopt;
    if (!word) {
      // No word can be had from a chip clock of 0 or below; the words stay
      // unset (the chip gets 0) and the run ends with the error.
      if (st.chip.fck <= 0.0) {
        if (!fck_reported) {
          Error(st, "fck must be greater than 0 to compute freq_msb, freq_mid and freq_lsb",
                kTagConfig, 160);
        }
        fck_reported = true;
      } else {
        Error(st, strf("freq %lf can not be turned into freq_msb, freq_mid and freq_lsb", c.freq),
              kTagConfig, 161);
      }
      return;
    }
    c.freq_msb = (*word)[0];
    c.freq_mid = (*word)[1];
    c.freq_lsb = (*word)[2];
  } else {
    double turns = c.freq_msb;
    if (!is_unset(c.freq_mid)) turns += c.freq_mid / kTurn;
    if (!is_unset(c.freq_lsb)) turns += c.freq_lsb / (kTurn * kTurn);
    c.freq = turns / kTurn * r;
  }
}

}  // namespace

std::optional<std::array<int, 3>> tuning_word(double freq, double fck) {
  double x = freq / fck * kTurn;
  if (!std::isfinite(x)) return std::nullopt;
  if (x < 0) x = x + kTurn;
  // A frequency beyond one turn of the clock keeps only its fraction of a
  // turn; a value that rounds up to a whole turn is no turn at all.
  if (x < 0 || x >= kTurn) {
    x = std::fmod(x, kTurn);
    if (x < 0) x += kTurn;
    if (x >= kTurn) x = 0.0;
  }
  const int msb = static_cast<int>(x);
  x = (x - msb) * kTurn;
  const int mid = static_cast<int>(x);
  const int lsb = static_cast<int>((x - mid) * kTurn);
  return std::array<int, 3>{msb, mid, lsb};
}

void mixer_step(RunState& st) {
  ChipSettings& chip = st.chip;

  const int fir_down[4] = {chip.pwr_dwn_fir_A, chip.pwr_dwn_fir_B, chip.pwr_dwn_fir_C,
                           chip.pwr_dwn_fir_D};
  for (int i = 0; i < 4; ++i) st.ch[i].powerdown = fir_down[i];
  if (chip.pwr_dwn_cic_AB != 0) st.ch[0].powerdown = st.ch[1].powerdown = 1;
  if (chip.pwr_dwn_cic_CD != 0) st.ch[2].powerdown = st.ch[3].powerdown = 1;

  const int split = chip.splitiq != 0 ? 1 : 0;
  set_if_unset(chip.splitiqAB, split);
  set_if_unset(chip.splitiqCD, split);

  bool any_transmit = false;
  bool fck_reported = false;
  for (int i = 0; i < 4; ++i) {
    ChannelSettings& c = st.ch[i];
    if (c.powerdown != 0) continue;

    if (c.bypass_mix == 0) {
      if (is_unset(c.freq_msb) && is_unset(c.freq)) {
        Error(st, "Need to set either freq or freq_msb", kTagConfig, 64);
      }
      if (!is_unset(c.freq_msb) && !is_unset(c.freq)) {
        Warning(st, "both freq and freq_msb are set; using freq_msb setting.", kTagConfig, 66);
      }
    } else {
      bypass_tuning(st, c);
    }

    check_cic_rate(st, c);
    if (xmt_transmits(c)) any_transmit = true;
    const double r = sample_rate(st, i);
    tune(st, c, r, fck_reported);
    c.fsample = r;
  }

  if (!any_transmit) chip.tout_nsig = 0;
}

void mixer_input_selection(RunState& st) {
  const ChipSettings& chip = st.chip;
  auto transmit = [&](int i) { return xmt_transmits(st.ch[i]); };

  // Split I/Q in transmit: the even channel carries I and Q onto both
  // multiplier inputs, the odd one only feeds the double-rate phase.
  auto split_even = [&](ChannelSettings& c) {
    set_if_unset(c.mix_inv_icos, 0);
    set_if_unset(c.mix_inv_qsin, 1);
    set_if_unset(c.mix_inv_qcos, 0);
    set_if_unset(c.mix_inv_isin, 0);
    set_if_unset(c.mix_icos, 3);
    set_if_unset(c.mix_qsin, 2);
    const bool complex_out = chip.tout_cmplx == 1;
    set_if_unset(c.mix_qcos, complex_out ? 2 : 0);
    set_if_unset(c.mix_isin, complex_out ? 3 : 0);
  };
  auto split_odd = [&](ChannelSettings& c) {
    if (chip.tout_rate == 2) {
      set_if_unset(c.mix_icos, 2);
      set_if_unset(c.mix_qsin, 3);
      set_if_unset(c.mix_inv_qsin, 1);
    }
    for (int* cell : {&c.mix_icos, &c.mix_isin, &c.mix_qcos, &c.mix_qsin, &c.mix_inv_icos,
                      &c.mix_inv_isin, &c.mix_inv_qcos, &c.mix_inv_qsin}) {
      set_if_unset(*cell, 0);
    }
  };

  if (chip.splitiqAB != 0) {
    if (transmit(0) && transmit(1) && live_receiver_on_cd(st)) {
      set_if_unset(st.ch[0].mix_qsin, 2);
      set_if_unset(st.ch[1].mix_qsin, 0);
      set_if_unset(st.ch[1].mix_icos, 0);
    }
    if (transmit(0)) split_even(st.ch[0]);
    if (transmit(1)) split_odd(st.ch[1]);
  }
  if (chip.splitiqCD != 0) {
    if (transmit(2)) split_even(st.ch[2]);
    if (transmit(3)) split_odd(st.ch[3]);
  }

  for (int i = 0; i < 4; ++i) {
    ChannelSettings& c = st.ch[i];
    // Any non-zero bypass (also an unset one) counts as bypassed, as in the
    // mixer step.
    const int bm = c.bypass_mix != 0 ? 1 : 0;
    if (pair_receives(st, i)) {
      const bool complex_in = chip.rin_cmplx == 1;
      set_if_unset(c.mix_rcv_cmplx, chip.rin_rate >= 1 && complex_in ? 1 : 0);
      set_if_unset(c.mix_inv_icos, 0);
      set_if_unset(c.mix_inv_isin, 0);
      set_if_unset(c.mix_inv_qcos, 0);
      set_if_unset(c.mix_inv_qsin, 1);
      set_if_unset(c.mix_icos, 1);
      set_if_unset(c.mix_isin, 1 - bm);
      set_if_unset(c.mix_qcos, complex_in && bm == 0 ? 1 : 0);
      set_if_unset(c.mix_qsin, complex_in && bm == 0 ? 1 : 0);
    } else if (pair_transmits(st, i)) {
      // At double rate the two channels of a pair take I and Q from
      // opposite multiplier inputs.
      int s_i = 3, s_q = 3;
      if (chip.tout_rate >= 2) {
        s_i = i % 2 == 0 ? 3 : 2;
        s_q = i % 2 == 0 ? 2 : 3;
      }
      const bool complex_out = chip.tout_cmplx == 1;
      set_if_unset(c.mix_rcv_cmplx, 0);
      set_if_unset(c.mix_inv_icos, 0);
      set_if_unset(c.mix_inv_isin, 0);
      set_if_unset(c.mix_inv_qcos, 0);
      set_if_unset(c.mix_inv_qsin, 1 - bm);
      set_if_unset(c.mix_icos, s_i);
      set_if_unset(c.mix_isin, bm == 0 && complex_out ? s_i : 0);
      set_if_unset(c.mix_qcos, complex_out ? s_q : 0);
      set_if_unset(c.mix_qsin, (1 - bm) * s_q);
    }
  }
}

}  // namespace cmd7730
