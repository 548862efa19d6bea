#include "config/cic.h"

#include <cmath>
#include <cstdint>

#include "config/channel_roles.h"
#include "config/mixer.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// The largest CIC rate change the transmit CIC runs with all six stages,
// and the largest the chip's CIC can interpolate and decimate by.
constexpr int64_t kMaxSixStage = 294;
constexpr int64_t kMaxInterpolation = 1217;
constexpr int64_t kMaxDecimation = 256;

// Transmit stage count: five stages when the interpolation is large, six
// otherwise; the sixth stage runs double rate at `tout_rate` 2.
void stage_count(const RunState& st, ChannelSettings& c, bool transmit, int64_t n) {
  if (!transmit) {
    set_if_unset(c.cic_xmt_5stg, 0);
    set_if_unset(c.cic_xmt_d6stg, 0);
    return;
  }
  const bool six_chosen = is_unset(c.cic_xmt_5stg) && n <= kMaxSixStage;
  set_if_unset(c.cic_xmt_5stg, n > kMaxSixStage ? 1 : 0);
  set_if_unset(c.cic_xmt_d6stg, six_chosen && st.chip.tout_rate == 2 ? 1 : 0);
}

// The receive shifter and the receive stage gains of channel `i`.
void receive_shift(RunState& st, int i, int64_t n) {
  ChipSettings& chip = st.chip;
  ChannelSettings& c = st.ch[i];
  if (n > kMaxDecimation) Error(st, "CIC decimation amount is too large", kTagConfig, 691);

  // A decimation below 1 has no bit growth to undo: the channel is shifted
  // as a pass-through CIC.  Only a count the user gave is worth an Error; a
  // missing one was reported by the mixer step or belongs to a channel that
  // is powered down.
  const bool usable = n >= 1;
  if (!usable && c.powerdown == 0 && !is_unset(c.cic_int) && !is_unset(c.cic_dec)) {
    Error(st, "CIC decimation amount must be at least 1", kTagConfig, 692);
  }
  const int n_eff = usable ? static_cast<int>(n) : 1;
  // An unset zero-padding count reaches the chip as 0.
  const int zpad = chip.rinf_zpad > 0 ? chip.rinf_zpad : 0;

  c.zpad_gain = 1.0 / (zpad + 1);
  c.mix_gain = 0.5;
  const bool rshift_given = !is_unset(c.cic_rshift);
  const int r = rshift_given ? c.cic_rshift : 1;
  const double growth = cic_bit_growth(n_eff, zpad);
  int s = static_cast<int>(std::floor((40 - r) - growth));
  if (c.coefsym != 0) s -= 1;
  const int rshift = rshift_given ? c.cic_rshift : (s >= 0 ? 1 : 0);

  if (is_unset(c.cic_shift)) s = clamp_cic_shift(st, s, usable, 732, 738);

  // A bypassed CIC in a split pair only has to line the halves up.
  const bool split_bypass = c.bypass_cic != 0 && pair_split_iq(chip, i) != 0;
  if (split_bypass) s = c.fir_sym != 0 ? 38 : 39;

  set_if_unset(c.cic_rshift, rshift);
  set_if_unset(c.cic_shift, s);
  set_if_unset(c.cic_rcv, 1);
  set_if_unset(c.fir_rnd20, 1);

  c.rshift_gain = std::pow(2.0, c.cic_rshift - 1);
  if (split_bypass) {
    c.cic_gain = c.fir_sym == 0 ? 1.0 : 0.5;
  } else {
    c.cic_gain = std::pow(static_cast<double>(n_eff), 5) * std::pow(2.0, c.cic_shift - 39);
  }
  set_if_unset(c.cic_rcv_full, c.fir_sym == 0 ? 1 : 0);
}

}  // namespace

int clamp_cic_shift(RunState& st, int shift, bool report, int line_negative, int line_over) {
  if (shift < 0) {
    if (report) {
      Warning(st, "CIC shift was calculated to be negative; setting to 0 as MIN value", kTagConfig,
              line_negative);
    }
    return 0;
  }
  if (shift > 39) {
    if (report) {
      Warning(st, "CIC shift was calculated to be over 39; setting to 39 as MAX value", kTagConfig,
              line_over);
    }
    return 39;
  }
  return shift;
}

double cic_bit_growth(int n, int zpad) {
  if (zpad > n) return (4 * std::log(n) + std::log(0.5)) / std::log(2.0);
  const double mix_gain = 0.5;
  const double zpad_gain = 1.0 / (zpad + 1);
  return (5 * std::log(n) + std::log(mix_gain * zpad_gain)) / std::log(2.0);
}

void cic_step(RunState& st) {
  ChipSettings& chip = st.chip;
  if (chip.splitiqAB != 0) st.ch[1].ncic = st.ch[0].ncic;
  if (chip.splitiqCD != 0) st.ch[3].ncic = st.ch[2].ncic;

  for (int i = 0; i < 4; ++i) {
    ChannelSettings& c = st.ch[i];
    const bool transmit = pair_transmits(st, i);
    const bool receive = pair_receives(st, i);
    const int64_t n = int64_t{c.cic_int} * c.cic_dec;

    stage_count(st, c, transmit, n);

    if (transmit) {
      if (n > kMaxInterpolation) {
        Error(st, "CIC interpolation amount is too large", kTagConfig, 683);
      } else if (n < 1 && c.powerdown == 0 && !is_unset(c.cic_int) && !is_unset(c.cic_dec)) {
        Error(st, "CIC interpolation amount must be at least 1", kTagConfig, 684);
      }
      set_if_unset(c.cic_rcv, 2);
    } else if (receive) {
      receive_shift(st, i, n);
    }
    if (!receive) set_if_unset(c.cic_rcv_full, 0);

    // The receive CIC crosses its halves at double rate and in the odd
    // (Q) channel of a split pair.
    const bool odd_split = i % 2 == 1 && pair_split_iq(chip, i) != 0;
    const bool cross = receive && (double_rate(chip, transmit, receive) || odd_split);
    set_if_unset(c.cic_rcv_cross, cross ? 1 : 0);
    set_if_unset(c.cic_bypass, transmit && c.ncic == 0 && c.cic_2x == 0 ? 1 : 0);
    set_if_unset(c.swap_rcv_tdly, receive && c.ncic == 0 ? 1 : 0);
  }

  mixer_input_selection(st);
}

}  // namespace cmd7730
