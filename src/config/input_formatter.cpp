#include "config/input_formatter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// Narrows a working quantity for storage in a 32-bit cell.
int narrow(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

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

// How the transmit input word is laid out: I and Q in parallel on one
// 16-pin word, I then Q multiplexed in series, or one real word.
enum class Layout { kParallel, kSeries, kReal };

// Everything the load points and the strobe delay search need for one
// transmit channel, in chip clocks unless said otherwise.
struct Timing {
  bool tdm = false;
  Layout layout = Layout::kReal;
  int64_t count = 0;  // clocks per CIC input sample
  int64_t sck = 0;    // slow clock divider (unset reads as 0, as the register does)
  int64_t E = 1;      // chip clocks per slow clock
  int64_t v = 1;      // words per sample
  int64_t d = 0;      // frame-strobe delay, in slow clocks
  bool minrq = false;
};

// The strobe output delay search.  A(c) and B(c) are the times at which
// word c of the delayed frame is in; T(i, k) is the time from the strobe to
// the data with the strobe output delayed by i + 1.
class StrobeDelaySearch {
 public:
  StrobeDelaySearch(RunState& st, ChannelSettings& ch, const Timing& t) : st_(st), ch_(ch), t_(t) {}

  void run();

 private:
  int64_t A(int64_t c) const {
    return t_.E * (t_.d + t_.v * c) + 17 + (t_.count % t_.E != 0 ? t_.sck : 0);
  }
  int64_t B(int64_t c) const { return t_.E * (t_.d + t_.v * c) + 17; }
  int64_t T(int64_t i, int64_t k) const { return t_.count * (k + 1) - i * t_.E; }
  int64_t K(int64_t x) const {
    if (x < 2 * t_.count || t_.count <= 0) return 0;
    return x / t_.count - 1;
  }
  bool standing() const { return !is_unset(ch_.tinf_fso_dly); }

  // The delay (1..7) at which the data lands in [lo, hi), if any.  A delay
  // that already stands is the only candidate.
  std::optional<int64_t> window(int64_t lo, int64_t hi, int64_t k) const;

  // Stores the delay unless one stands already.
  void choose(int64_t delay) { set_if_unset(ch_.tinf_fso_dly, narrow(delay)); }

  RunState& st_;
  ChannelSettings& ch_;
  const Timing& t_;
};

std::optional<int64_t> StrobeDelaySearch::window(int64_t lo, int64_t hi, int64_t k) const {
  auto decide = [&](int64_t i) -> std::optional<int64_t> {
    const int64_t time = T(i, k);
    if (time >= lo) return i + 1;
    return std::nullopt;
  };
  if (standing()) {
    const int64_t i = static_cast<int64_t>(ch_.tinf_fso_dly) - 1;
    if (T(i, k) < hi) return decide(i);
    return std::nullopt;
  }
  for (int64_t i = 0; i <= 6 && i < t_.count; ++i) {
    if (T(i, k) < hi) return decide(i);
  }
  return std::nullopt;
}

struct Fallback {
  int64_t lo, hi;
};

void StrobeDelaySearch::run() {
  ChipSettings& chip = st_.chip;
  const bool series = t_.layout == Layout::kSeries;
  const bool parallel = t_.layout == Layout::kParallel;

  // Primary constant: how many words into the frame the data must be in.
  int64_t c1 = 1;
  if (t_.tdm) {
    c1 = series ? 8 : 4;
  } else if (series) {
    c1 = 2;
  }
  const int64_t plus = parallel ? 1 : 0;

  if (t_.tdm && (chip.splitiqAB != 0 || chip.splitiqCD != 0) && ch_.cic_int == 1 &&
      ch_.fir_int == 4) {
    set_if_unset(ch_.tinf_fso_dly, 2);
  }

  bool found = false;
  if (!t_.tdm && t_.layout == Layout::kReal && t_.count == 1) {
    set_if_unset(ch_.tinf_fso_dly, 0);
    found = true;
  } else {
    const int64_t I = A(c1) + plus;
    const int64_t i0 = standing() ? static_cast<int64_t>(ch_.tinf_fso_dly) - 1 : 0;
    if (T(i0, 0) >= I) {
      choose(1);
      found = true;
    } else {
      const int64_t k = K(I);
      if (auto delay = window(I - t_.count, B(1), k)) {
        choose(*delay);
        found = true;
      } else if (t_.tdm && !parallel) {
        // The strobe cannot serve all four channels at once: try to align
        // all but one group, one word apart.
        static constexpr Fallback kSeriesWindows[3] = {{4, 5}, {2, 3}, {6, 7}};
        static constexpr Fallback kRealWindows[3] = {{2, 3}, {1, 2}, {3, 4}};
        static constexpr const char* kAligned[3] = {
            "Data can not be aligned. Aligning so channels a and b are one off of c and d.\n",
            "Data can not be aligned. Aligning so channels b c and d are one off of a.\n",
            "Data can not be aligned. Aligning so channels a b and c are one off of d.\n"};
        static constexpr const char* kNote[3] = {
            nullptr, "  note:  can split a from b, c and d instead; just set tinf_fso_dly to %d.\n",
            "  note:  can split d from a, b and c instead; just set tinf_fso_dly to %d.\n"};
        const Fallback* windows = series ? kSeriesWindows : kRealWindows;
        for (int w = 0; w < 3; ++w) {
          auto delay = window(A(windows[w].lo), B(windows[w].hi), k);
          if (!delay) continue;
          if (!found) {
            WriteOutput(st_, kAnalysis, kAligned[w]);
            choose(*delay);
            found = true;
          } else {
            WriteOutput(st_, kAnalysis, strf(kNote[w], narrow(*delay)));
          }
        }
      }
    }
  }

  if (!found) {
    Warning(st_, "Frame strobe delay can not be set properly with current configuration,",
            kTagConfig, 1720);
    LogLine(st_, "  data from swap RAM might not come out properly.");
    LogLine(st_, "  If problems, change sck_div, ncic or fir_int to fix.\n");
    LogLine(st_, "  Also, if filter duty cycle is at 100% (always running), it should be okay.\n");
    set_if_unset(ch_.tinf_fso_dly, 1);
  }
}

void receive_channel(RunState& st, int c) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];
  const int split = c < 2 ? chip.splitiqAB : chip.splitiqCD;
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

void transmit_channel(RunState& st, int c) {
  ChipSettings& chip = st.chip;
  ChannelSettings& ch = st.ch[c];
  const bool cd_transmits = st.pair[1].mode == kModeTransmit;

  Timing t;
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

  t.count = (static_cast<int64_t>(ch.ncic) + 1) * ch.fir_int;
  t.sck = std::max(ch.sck_div, 0);
  t.E = t.sck + 1;
  const int64_t ndivcks = t.count / t.E;
  int64_t spt = 1;
  if (!is_unset(ch.swap_wa_cnt)) {
    const int64_t data = ch.fir_cmplx == 1 ? 2 : 1;
    spt = (static_cast<int64_t>(ch.swap_wa_cnt) + 1) / data;
  }
  // Words per sample, ceil(bits / pins): 0 for no bits.  Only a pin count
  // that no word can cross is left at one word.
  if (ch.pins > 0) t.v = static_cast<int64_t>(std::ceil(static_cast<double>(ch.bits) / ch.pins));
  const int64_t nchan = !t.tdm ? 1 : (cd_transmits ? 4 : 2);
  const int64_t words = (static_cast<int64_t>(ch.tinf_iqmux) + 1) * nchan * t.v;
  const int64_t fastest = t.E * words;
  t.minrq = t.count == fastest || (ch.tinf_pariq == 1 && cd_transmits && t.count == 2);

  set_if_unset(ch.tinf_nfs, narrow(spt - 1));
  if (spt < 1) {
    Warning(st, "samples_per_tog==0, setting to 1, welk need to look at this!\n", kTagConfig, 1099);
    spt = 1;
  }
  set_if_unset(ch.tinf_fs_cnt, narrow(ndivcks / spt - 1));

  if (ch.tinf_pins == 3) {
    Warning(st, "3 is not a legal setting for tinf_pins. Reset to 4.\n", kTagConfig, 1105);
    ch.tinf_pins = 4;
  }

  if (static_cast<int64_t>(ch.tinf_fs_cnt) + 1 < words) {
    Error(st, "Not enough time to get data in", kTagConfig, 1113);
  }
  if (t.count == 1 && ch.tinf_pariq != 0) {
    Error(st, "IQ parallel mode needs at least two clock cycles to get data in.", kTagConfig, 1121);
  }
  if (t.count < fastest) {
    Error(st, "Toggle and frame strobe coming faster than maximum rate.", kTagConfig, 1126);
  }

  // A delay of a whole cycle or more wraps round; an unset one is no delay.
  t.d = std::max(ch.tinf_fs_dly, 0);
  if (t.E * t.d >= t.count) {
    const int64_t wrapped = t.count > 0 ? (t.E * t.d) % t.count / t.E : 0;
    WriteOutput(st, kAnalysis,
                strf("Channel %d FS delay of %d beyond cycle length. Using delay mod cycle "
                     "length:  %d.\n",
                     c, narrow(t.d), narrow(wrapped)));
    t.d = wrapped;
  }

  // Load points of the first (x) and second (y) word: a for channel A, b
  // for the others.
  const int64_t d = t.d, v = t.v, H = t.sck != 0 ? 1 : 0;
  const bool wide_pins = ch.pins >= ch.bits;
  int64_t xa = 0, xb = 0, ya = d + 1, yb = d + 1;
  if (!t.tdm) {
    switch (t.layout) {
      case Layout::kParallel:
        if (t.sck == 0 && t.minrq) xa = xb = d, ya = yb = 1;
        break;
      case Layout::kSeries:
        if (wide_pins && t.minrq) {
          if (t.d != 1) {
            Warning(st,
                    "Maximum rate non-tdm iq series mode must have delay of 1 if pins >= "
                    "bits...using 1 for delay.",
                    kTagConfig, 1167);
            t.d = 1;
          }
          xa = xb = ya = yb = 1;
        } else {
          xa = xb = v;
          ya = yb = d + 1 + v;
        }
        break;
      case Layout::kReal:
        if (wide_pins && t.sck == 0 && t.minrq) ya = yb = 0;
        break;
    }
  } else {
    switch (t.layout) {
      case Layout::kParallel:
        xb = 1 - H, yb = H;
        break;
      case Layout::kSeries:
        xa = xb = v;
        ya = d + 1 + v;
        yb = 3 * v - 1 + H;
        break;
      case Layout::kReal:
        if (t.sck == 0) {
          xb = 1;
          yb = ch.pins < ch.bits ? v : 0;
        } else {
          yb = v;
        }
        break;
    }
  }

  // Only channel A's schedule is mended when the second word misses the
  // cycle; the others share its strobe.
  const bool split = chip.splitiqAB != 0 || chip.splitiq != 0;
  const bool fits = t.E * (ya + 1) <= t.count && t.E * (yb + 1) <= t.count;
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
    const int64_t L = t.count > 0 ? (t.count + t.E - 1) / t.E : 1;
    ya %= L;
    if (ya == 0) ya = L;
    if (!t.tdm) yb = ya;
  }
  if (!t.tdm && split && xa != xb) {
    Warning(st, "tinf_first values for all channels should be the same in complex splitIQ tdm.",
            kTagConfig, 1267);
  }

  if (c == 0) {
    Debug(st,
          strf("Dbg: nchan %d tdm %d minrq %d delay %d xa %x xb %d ya %d yb %d div %d iqmux %d "
               "cmplx %d pins %d bits %d fscnt %d min %d nfs %d ndivcks %d\n",
               narrow(nchan), chip.tinf_tdm, t.minrq ? 1 : 0, narrow(t.d),
               static_cast<unsigned>(narrow(xa)), narrow(xb), narrow(ya), narrow(yb), narrow(t.E),
               ch.tinf_iqmux, ch.tinf_cmplx, ch.pins, ch.bits,
               narrow(static_cast<int64_t>(ch.tinf_fs_cnt) + 1), narrow(words),
               narrow(static_cast<int64_t>(ch.tinf_nfs) + 1), narrow(ndivcks)),
          kTagConfig, 1275);
    set_if_unset(ch.tinf_first, narrow(xa));
    set_if_unset(ch.tinf_second, narrow(ya));
  } else {
    set_if_unset(ch.tinf_first, narrow(xb));
    set_if_unset(ch.tinf_second, narrow(yb));
  }

  StrobeDelaySearch(st, ch, t).run();

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
  const int cd_ports = st.pair[0].mode == kModeTransmit && chip.tout_sumin != 0 ? 0 : 1;
  set_if_unset(chip.en_CO, cd_ports);
  set_if_unset(chip.en_CFS, cd_ports);
  set_if_unset(chip.en_DO, cd_ports);
  set_if_unset(chip.en_DFS, cd_ports);
  set_if_unset(chip.en_soB, 1);

  for (int c = 0; c < 4; ++c) {
    ChannelSettings& ch = st.ch[c];
    const bool transmit = st.pair[c / 2].mode == kModeTransmit;
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
