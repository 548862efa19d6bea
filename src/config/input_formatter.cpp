// The back-end formatters' codes: the chip-wide port enables, every
// channel's pin and word-width codes, the receive output formatter and input
// selections, and for a transmit channel its input timing, frame-strobe
// counts and the load points of its two input words.  The strobe output
// delay is searched in strobe_delay.cpp.
#include "config/input_formatter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "config/channel_roles.h"
#include "config/strobe_delay.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

int* rinf_sel(ChipSettings& chip, int c) {
  int* const cells[4] = {&chip.rinf_sel_A, &chip.rinf_sel_B, &chip.rinf_sel_C, &chip.rinf_sel_D};
  return cells[c];
}

// 2^(bits/4 - 1): the receive word width code (1, 2, 4, 8, 16 for 4..20
// bits), 0 for widths below 4 bits.
int routf_bits_code(int bits) {
  const int e = bits / 4 - 1;
  if (e < 0) return 0;
  return 1 << std::min(e, 30);
}

void receive_channel(RunState& st, int c) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];
  const int split = pair_split_iq(chip, c);
  const bool parallel_word = ch.pins == 16 && ch.bits == 8;
  set_if_unset(ch.routf_iqmux, ch.fir_cmplx != 0 && !parallel_word && split == 0 ? 1 : 0);
  set_if_unset(ch.tinf_src, 2);
  set_if_unset(ch.routf_ctdm, chip.routf_tdm);
  // With the AGC word in the low 8 bits the output keeps 12 bits of data.
  set_if_unset(ch.gain_rnd, ch.agc_gain_out != 0 ? 12 : 20 - ch.bits);
  set_if_unset(ch.fso_sel, 2);
  set_if_unset(ch.tinf_xmt, 0);

  // Input selection: 4 real (or I), 3 I/Q multiplexed on one port, 1 the Q
  // half of a complex input at full rate.
  int g = 4;
  if (chip.rin_cmplx != 0) {
    if (chip.rin_rate == 0) {
      g = 3;
    } else {
      g = c % 2 == 1 ? 1 : 4;
    }
  }
  set_if_unset(*rinf_sel(chip, c), g);
  if (c % 2 == 0 && chip.rin_cmplx != 0 && chip.rin_rate != 0) {
    set_if_unset(*rinf_sel(chip, c + 1), 1);
  }
}

// The load points of the first and second input word (`tinf_first`,
// `tinf_second`): channel A's and the other channels' (xa, xb, ya, yb).
struct LoadPoints {
  int64_t first_a = 0, first_rest = 0, second_a = 0, second_rest = 0;
};

// The transmit defaults and the timing of channel `c`'s input: layout, cycle,
// slow clock, words per sample and the frame-strobe counts.  Returns the
// words one frame carries.
int64_t transmit_timing(RunState& st, int c, Timing& t) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];
  t.tdm = chip.tinf_tdm == 1;

  set_if_unset(ch.gain_rnd, 2);
  set_if_unset(ch.tinf_src, !t.tdm ? 2 : (c == 0 ? 6 : 1));
  set_if_unset(ch.gain_half, ch.fir_sym != 0 ? 1 : 0);
  set_if_unset(ch.fso_sel, 1);
  set_if_unset(ch.tinf_xmt, 1);
  set_if_unset(ch.tinf_pariq, ch.pins == 16 && ch.bits == 8 ? 1 : 0);
  set_if_unset(ch.tinf_iqmux, ch.tinf_cmplx != 0 && ch.tinf_pariq != 1 ? 1 : 0);
  if (ch.tinf_pariq == 1) {
    t.layout = Layout::kParallel;
  } else if (ch.tinf_iqmux == 1) {
    t.layout = Layout::kSeries;
  }

  t.cycle = (static_cast<int64_t>(ch.ncic) + 1) * ch.fir_int;
  t.sck = std::max(ch.sck_div, 0);
  t.slow_clock = t.sck + 1;
  // Words per sample, ceil(bits / pins): 0 for no bits.  Only a pin count
  // that no word can cross is left at one word.
  if (ch.pins > 0) {
    t.words = static_cast<int64_t>(std::ceil(static_cast<double>(ch.bits) / ch.pins));
  }
  const bool cd_transmits = pair_transmits(st, 2);
  const int64_t nchan = !t.tdm ? 1 : (cd_transmits ? 4 : 2);
  const int64_t frame_words = (static_cast<int64_t>(ch.tinf_iqmux) + 1) * nchan * t.words;
  const int64_t fastest = t.slow_clock * frame_words;
  t.max_rate = t.cycle == fastest || (ch.tinf_pariq == 1 && cd_transmits && t.cycle == 2);
  return frame_words;
}

// Frame-strobe counts (`tinf_nfs`, `tinf_fs_cnt`) and the checks that the
// words get in within one cycle.
void frame_strobe_counts(RunState& st, ChannelSettings& ch, const Timing& t, int64_t frame_words) {
  int64_t samples_per_toggle = 1;
  if (!is_unset(ch.swap_wa_cnt)) {
    const int64_t data = ch.fir_cmplx == 1 ? 2 : 1;
    samples_per_toggle = (static_cast<int64_t>(ch.swap_wa_cnt) + 1) / data;
  }
  set_if_unset(ch.tinf_nfs, narrow(samples_per_toggle - 1));
  if (samples_per_toggle < 1) {
    Warning(st, "samples_per_tog==0, setting to 1, welk need to look at this!\n", kTagConfig, 1099);
    samples_per_toggle = 1;
  }
  const int64_t divided_clocks = t.cycle / t.slow_clock;
  set_if_unset(ch.tinf_fs_cnt, narrow(divided_clocks / samples_per_toggle - 1));

  if (ch.tinf_pins == 3) {
    Warning(st, "3 is not a legal setting for tinf_pins. Reset to 4.\n", kTagConfig, 1105);
    ch.tinf_pins = 4;
  }

  if (static_cast<int64_t>(ch.tinf_fs_cnt) + 1 < frame_words) {
    Error(st, "Not enough time to get data in", kTagConfig, 1113);
  }
  if (t.cycle == 1 && ch.tinf_pariq != 0) {
    Error(st, "IQ parallel mode needs at least two clock cycles to get data in.", kTagConfig, 1121);
  }
  if (t.cycle < t.slow_clock * frame_words) {
    Error(st, "Toggle and frame strobe coming faster than maximum rate.", kTagConfig, 1126);
  }
}

// The load points for the layout, before any mending.  May force the
// strobe delay to 1 (max-rate series input without TDM).
LoadPoints load_points(RunState& st, const ChannelSettings& ch, Timing& t) {
  const int64_t delay = t.strobe_delay, words = t.words;
  const int64_t divided = t.sck != 0 ? 1 : 0;  // H
  const bool wide_pins = ch.pins >= ch.bits;
  LoadPoints p;
  p.second_a = p.second_rest = delay + 1;
  if (!t.tdm) {
    switch (t.layout) {
      case Layout::kParallel:
        if (t.sck == 0 && t.max_rate)
          p.first_a = p.first_rest = delay, p.second_a = p.second_rest = 1;
        break;
      case Layout::kSeries:
        if (wide_pins && t.max_rate) {
          if (t.strobe_delay != 1) {
            Warning(st,
                    "Maximum rate non-tdm iq series mode must have delay of 1 if pins >= "
                    "bits...using 1 for delay.",
                    kTagConfig, 1167);
            t.strobe_delay = 1;
          }
          p.first_a = p.first_rest = p.second_a = p.second_rest = 1;
        } else {
          p.first_a = p.first_rest = words;
          p.second_a = p.second_rest = delay + 1 + words;
        }
        break;
      case Layout::kReal:
        if (wide_pins && t.sck == 0 && t.max_rate) p.second_a = p.second_rest = 0;
        break;
    }
    return p;
  }
  switch (t.layout) {
    case Layout::kParallel:
      p.first_rest = 1 - divided, p.second_rest = divided;
      break;
    case Layout::kSeries:
      p.first_a = p.first_rest = words;
      p.second_a = delay + 1 + words;
      p.second_rest = 3 * words - 1 + divided;
      break;
    case Layout::kReal:
      if (t.sck == 0) {
        p.first_rest = 1;
        p.second_rest = ch.pins < ch.bits ? words : 0;
      } else {
        p.second_rest = words;
      }
      break;
  }
  return p;
}

// Only channel A's schedule is mended when the second word misses the
// cycle; the others share its strobe.
void mend_schedule(RunState& st, int c, const Timing& t, LoadPoints& p) {
  const ChipSettings& chip = st.chip;
  const bool split = chip.splitiqAB != 0 || chip.splitiq != 0;
  const bool fits =
      t.slow_clock * (p.second_a + 1) <= t.cycle && t.slow_clock * (p.second_rest + 1) <= t.cycle;
  if (c == 0 && !fits && (t.tdm || !split)) {
    Warning(st,
            "tinf_second too large compared to cycle length; going to try tinf_second mod cycle "
            "length.",
            kTagConfig, 1251);
    LogLine(st, " (will use exactly cycle length if it divides evenly).\n");
    LogLine(
        st,
        " This problem generally occurs when tinf_delay is too large; in this case, decrease\n");
    LogLine(st, " the delay. If the problem persists, try decreasing clock divide.\n");
    // The cycle in slow clocks (L), rounded up.
    const int64_t slow_cycle = t.cycle > 0 ? (t.cycle + t.slow_clock - 1) / t.slow_clock : 1;
    p.second_a %= slow_cycle;
    if (p.second_a == 0) p.second_a = slow_cycle;
    if (!t.tdm) p.second_rest = p.second_a;
  }
  if (!t.tdm && split && p.first_a != p.first_rest) {
    Warning(st, "tinf_first values for all channels should be the same in complex splitIQ tdm.",
            kTagConfig, 1267);
  }
}

void transmit_channel(RunState& st, int c) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];

  Timing t;
  const int64_t frame_words = transmit_timing(st, c, t);
  frame_strobe_counts(st, ch, t, frame_words);

  // A delay of a whole cycle or more wraps round; an unset one is no delay.
  t.strobe_delay = std::max(ch.tinf_fs_dly, 0);
  if (t.slow_clock * t.strobe_delay >= t.cycle) {
    const int64_t wrapped =
        t.cycle > 0 ? (t.slow_clock * t.strobe_delay) % t.cycle / t.slow_clock : 0;
    WriteOutput(st, kAnalysis,
                strf("Channel %d FS delay of %d beyond cycle length. Using delay mod cycle "
                     "length:  %d.\n",
                     c, narrow(t.strobe_delay), narrow(wrapped)));
    t.strobe_delay = wrapped;
  }

  LoadPoints p = load_points(st, ch, t);
  mend_schedule(st, c, t, p);

  if (c == 0) {
    const int64_t nchan = !t.tdm ? 1 : (pair_transmits(st, 2) ? 4 : 2);
    Debug(st,
          strf("Dbg: nchan %d tdm %d minrq %d delay %d xa %x xb %d ya %d yb %d div %d iqmux %d "
               "cmplx %d pins %d bits %d fscnt %d min %d nfs %d ndivcks %d\n",
               narrow(nchan), chip.tinf_tdm, t.max_rate ? 1 : 0, narrow(t.strobe_delay),
               static_cast<unsigned>(narrow(p.first_a)), narrow(p.first_rest), narrow(p.second_a),
               narrow(p.second_rest), narrow(t.slow_clock), ch.tinf_iqmux, ch.tinf_cmplx, ch.pins,
               ch.bits, narrow(static_cast<int64_t>(ch.tinf_fs_cnt) + 1), narrow(frame_words),
               narrow(static_cast<int64_t>(ch.tinf_nfs) + 1), narrow(t.cycle / t.slow_clock)),
          kTagConfig, 1275);
    set_if_unset(ch.tinf_first, narrow(p.first_a));
    set_if_unset(ch.tinf_second, narrow(p.second_a));
  } else {
    set_if_unset(ch.tinf_first, narrow(p.first_rest));
    set_if_unset(ch.tinf_second, narrow(p.second_rest));
  }

  choose_strobe_delay(st, ch, t);

  // Without interpolation ahead of it the strobe output cannot lag by a
  // whole FIR output period.
  if ((ch.cic_int == 1 || ch.cic_bypass != 0) && ch.tinf_fso_dly >= ch.fir_int) {
    ch.tinf_fso_dly = std::max(ch.fir_int - 1, 0);
  }

  set_if_unset(ch.routf_ctdm, 0);
  set_if_unset(*rinf_sel(chip, c), 0);
}

}  // namespace

void input_formatter_step(RunState& st) {
  ChipSettings& chip = st.chip;
  set_if_unset(chip.en_AO, 1);
  set_if_unset(chip.en_AFS, 1);
  set_if_unset(chip.en_BO, 1);
  set_if_unset(chip.en_BFS, 1);
  // With a sum input the CO and DO ports are inputs.
  const int cd_ports = pair_transmits(st, 0) && chip.tout_sumin != 0 ? 0 : 1;
  set_if_unset(chip.en_CO, cd_ports);
  set_if_unset(chip.en_CFS, cd_ports);
  set_if_unset(chip.en_DO, cd_ports);
  set_if_unset(chip.en_DFS, cd_ports);
  set_if_unset(chip.en_soB, 1);

  for (int c = 0; c < 4; ++c) {
    ChannelSettings& ch = st.ch[c];
    const bool transmit = pair_transmits(st, c);
    // A powered-down channel that was never described (pins or bits still
    // unset) is not in use: the declaration check accepted it without
    // settings, so it must not fail the run here.  A value the user gave is
    // always checked.
    const bool unused = ch.powerdown != 0;
    if (ch.pins != 4 && ch.pins != 8 && ch.pins != 16 && !(unused && is_unset(ch.pins))) {
      Error(st, "Pins must be 4,8, or 16", kTagConfig, 1059);
    }
    if ((ch.bits <= 0 || ch.bits > 20 || ch.bits % 4 != 0) && !(unused && is_unset(ch.bits))) {
      Error(st, "Bits must be 4,8,12,16, or 20", kTagConfig, 1060);
    }
    if (transmit) {
      set_if_unset(ch.tinf_pins, ch.pins / 4);
      set_if_unset(ch.tinf_bits, ch.bits / 4);
      set_if_unset(ch.routf_pwrdown, 1);
    } else {
      set_if_unset(ch.routf_pins, ch.pins / 4);
      set_if_unset(ch.routf_bits, routf_bits_code(ch.bits));
    }

    if (ch.powerdown != 0) {
      set_if_unset(ch.routf_pwrdown, 1);
      set_if_unset(ch.fso_sel, 0);
      continue;
    }
    set_if_unset(ch.routf_pwrdown, 0);
    if (transmit) {
      transmit_channel(st, c);
    } else {
      receive_channel(st, c);
    }
  }
}

}  // namespace cmd7730
