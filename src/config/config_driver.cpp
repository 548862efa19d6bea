#include "config/config_driver.h"

#include <cstdint>

#include "config/channel_roles.h"
#include "config/cic.h"
#include "config/gain.h"
#include "config/input_formatter.h"
#include "config/output_formatter.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"
#include "fir/agenconf.h"
#include "fir/fir_config.h"

namespace cmd7730 {
namespace {

// Replaces the channel's filter by a unit impulse: one full-scale tap and
// fifteen zeros, no symmetry, no rate change.
void bypass_fir(ChannelSettings& c) {
  c.fir_dec = 1;
  c.fir_int = 1;
  c.ncoefs = 16;
  c.coefsym = 0;
  c.fir_sym = 0;
  c.coefs.fill(0);
  c.coefs[0] = 0x7fff;
}

// The odd channel of a double-rate pair runs the partner's oscillator half a
// sample of phase ahead.  An unset word or phase of the partner reaches the
// chip as 0 and is read as 0 here; the phase wraps to 16 bits.
void take_partner_tuning(ChannelSettings& odd, const ChannelSettings& even) {
  odd.freq_msb = even.freq_msb;
  odd.freq_mid = even.freq_mid;
  odd.freq_lsb = even.freq_lsb;
  const int msb = is_unset(even.freq_msb) ? 0 : even.freq_msb;
  const int phase = is_unset(even.phase) ? 0 : even.phase;
  odd.phase = ((phase + half_sample_phase(msb)) % 65536 + 65536) % 65536;
}

// Sync sources of one channel, and the chip-wide ones the first channel
// settles.  A user value always stays.
void sync_defaults(RunState& st, ChannelSettings& c) {
  ChipSettings& chip = st.chip;
  const int s = sync_source(chip.sync_mode);
  if (s < 0) {
    Error(st, "sync_mode unknown! Must be from 0 - 9.", kTagConfig, 361);
    return;
  }
  set_if_unset(c.fir_sync, s);
  set_if_unset(c.dith_sync, s);
  set_if_unset(c.nco_sync, s);
  set_if_unset(c.cic_sync, s);
  set_if_unset(c.pwr_mtr_sync, c.pwr_mtr_on != 0 ? s : 7);
  set_if_unset(c.sck_sync, c.sck_div != 0 ? s : 7);
  set_if_unset(c.gain_sync, c.agc_freeze == 0 ? 0 : 7);
  set_if_unset(chip.gen_timer_sync, chip.gen_timer != 0 ? s : 7);
  set_if_unset(chip.rinf_zpad_sync, chip.rinf_zpad != 0 ? s : 7);
  set_if_unset(chip.toutf_hold_sync, chip.toutf_hold != 0 ? s : 7);
}

// Transmit channels that are powered up; with split I/Q on pair AB two
// channels make one signal.
int active_transmit_channels(const RunState& st) {
  int n = 0;
  for (const ChannelSettings& c : st.ch) {
    if (xmt_transmits(c) && c.powerdown == 0) ++n;
  }
  return st.chip.splitiqAB != 0 ? n / 2 : n;
}

}  // namespace

int sync_source(int sync_mode) {
  switch (sync_mode) {
    case 0:
    case 2:
    case 4:
    case 5:
      return 2;
    case 1:
    case 3:
    case 6:
    case 7:
      return 3;
    case 8:
    case 9:
      return 4;
    default:
      return -1;
  }
}

int half_sample_phase(int partner_freq_msb) {
  int v = partner_freq_msb & 0xffff;
  if (v & 0x8000) v -= 65536;
  return v >= 0 ? (v + 1) / 2 : v / 2;
}

void configure_channels(RunState& st) {
  ChipSettings& chip = st.chip;
  bool receiver_active = false;
  AgenConf agen;  // the FIR configuration object, reset for every channel

  for (int i = 0; i < 4; ++i) {
    ChannelSettings& c = st.ch[i];
    const bool transmit = pair_transmits(st, i);
    const bool receive = pair_receives(st, i);

    if (receive && c.powerdown == 0) receiver_active = true;
    if (c.bypass_fir == 1) bypass_fir(c);

    const bool two_x = double_rate(chip, transmit, receive);
    set_if_unset(c.cic_2x, two_x ? 1 : 0);
    if (two_x) {
      if (chip.splitiq != 1) {
        Warning(st, "splitiq must be 1 in double rate mode. Forcing to 1", kTagConfig, 216);
        chip.splitiq = chip.splitiqAB = chip.splitiqCD = 1;
      }
      if (i % 2 == 1) take_partner_tuning(c, st.ch[i - 1]);
    }

    // A channel that never got its CIC rate (one powered down and never
    // described) has no count: the unset marker is no factor to multiply.
    const bool rate_known = !is_unset(c.cic_int) && !is_unset(c.cic_dec);
    const int64_t product = int64_t{c.cic_int} * c.cic_dec;  // 12-bit factors
    c.ncic = rate_known ? static_cast<int>(product / (c.cic_2x + 1) - 1) : kUnset;
    if (rate_known && c.cic_2x == 1 && product % 2 != 0) {
      if (transmit) {
        Error(st, "cic_int must be even for double rate", kTagConfig, 243);
      } else {
        Error(st, "cic_dec must be even for double rate", kTagConfig, 244);
      }
    }

    // A powered-down channel without a filter has nothing to lay out; its
    // FIR variables stay unset.
    if (c.powerdown == 0 || c.ncoefs != kUnset) fir_config(st, i, agen);

    sync_defaults(st, c);
  }

  if (!receiver_active) {
    chip.rinf_zpad = 0;
    chip.rinf_zpad_sync = 7;
  }

  cic_step(st);
  st.active_transmit_count = active_transmit_channels(st);
  output_formatter_step(st);
  input_formatter_step(st);
  gain_step(st);

  set_if_unset(chip.soB_sync, chip.sync_mode == 2 || chip.sync_mode == 3 ? chip.sync_mode : 4);
  const int m = chip.sync_mode;
  set_if_unset(chip.one_shot, m == 4 || m == 6 || m == 8 ? 3 : 1);
}

}  // namespace cmd7730
