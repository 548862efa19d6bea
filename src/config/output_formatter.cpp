#include "config/output_formatter.h"

#include "config/channel_roles.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

struct PortCode {
  int res, nsig, cmplx, rate, word;
};

// Port format code words: bits 4..8 drive DO, 9..11 CO, 12..15 BO.  A
// complex signal at half rate shares the layout of a real one at full rate.
// clang-format off
constexpr PortCode kPortCodes[] = {
    {0, 1, 0, 1, 0x0008}, {0, 1, 0, 2, 0x100c}, {0, 1, 1, 0, 0x0008}, {0, 1, 1, 1, 0x200c},
    {0, 1, 1, 2, 0x182f}, {0, 2, 0, 1, 0x100c}, {0, 2, 0, 2, 0x121f}, {0, 2, 1, 0, 0x100c},
    {0, 2, 1, 1, 0x242f}, {0, 3, 0, 1, 0x120e}, {0, 3, 1, 0, 0x120e}, {0, 4, 0, 1, 0x121f},
    {0, 4, 1, 0, 0x121f},
    {1, 1, 0, 1, 0x400c}, {1, 1, 0, 2, 0x444f}, {1, 1, 1, 0, 0x400c}, {1, 1, 1, 1, 0x488f},
    {1, 2, 0, 1, 0x444f}, {1, 2, 1, 0, 0x444f},
    {2, 1, 0, 1, 0x800c}, {2, 1, 0, 2, 0x850f}, {2, 1, 1, 0, 0x800c}, {2, 1, 1, 1, 0x890f},
    {2, 2, 0, 1, 0x850c}, {2, 2, 1, 0, 0x850c},
};
// clang-format on

// Summing modes of the sum registers.
constexpr int kSumOff = 0;
constexpr int kSumInput22 = 1;
constexpr int kSumBypass = 2;
constexpr int kSumInput16 = 3;

// The sum-tree selector (path A in bits 0..3, path B in bits 4..7) for K
// channels feeding N signals; -1 when the rate has no summing path.
int sum_selector(int k, int n, int rate, int cmplx, bool split) {
  if (k == 4 && n == 1) return 0xb7;
  if (k == 2 && n == 2 && rate == 1 && cmplx == 1 && split) return 0xa7;
  if (k == 2 && n == 2) return 0x43;
  if (k == 1 && n == 1 && rate <= 1) return 0x03;
  if (k == n) return 0x43;
  if (k == 4) return 0xa7;
  if (rate <= 1) return 0x07;
  if (rate == 2) return 0x6b;
  return -1;
}

char rate_letter(int rate) {
  switch (rate) {
    case 0:
      return 'H';
    case 1:
      return 'F';
    case 2:
      return 'T';
    default:
      return '?';
  }
}

// The transmit output signal as the user described it, and the active
// transmit channel count K feeding it.
struct OutputSignal {
  int channels;  // K
  int nsig;      // N, tout_nsig
  int cmplx;     // tout_cmplx
  int rate;      // tout_rate: 0 half, 1 full, 2 double
  int sumin;     // tout_sumin
  int wide;      // high resolution (tout_res 1)
  int diff;      // complementary signalling (tout_res 2)
};

// The signal description and the port budget it needs.
void check_signal_and_paths(RunState& st, const OutputSignal& s) {
  const int k = s.channels, n = s.nsig, x = s.cmplx, rate = s.rate, sumin = s.sumin;
  const int wide = s.wide, diff = s.diff;
  if (n == 0 || n == 3 || n > 4) Error(st, "tout_nsig must be 1, 2 or 4", kTagConfig, 444);
  if (k < 1 || k == 3 || k > 4) {
    Error(st, "channels into sumtree must be 1, 2 or 4", kTagConfig, 447);
  }
  if (x != 0 && n > 1 && sumin != 0) {
    Error(st, "Can not use sumio for multiple complex channels", kTagConfig, 458);
  }
  Debug(st,
        strf("doxmit1x %c%d%c%c%d%d%c ", x == 1 ? 'C' : 'R', n, rate_letter(rate),
             wide == 1 ? 'W' : 'N', k, sumin, diff == 1 ? 'D' : 'N'),
        kTagConfig, 462);
  if (rate == 2 && k == 4) Error(st, "can not generate 4 2x channels", kTagConfig, 464);
  if (k < n) Error(st, "Fewer channels being generated than output", kTagConfig, 465);
  if (rate == 0 && x == 0) Error(st, "1/2 rate only for complex data", kTagConfig, 467);

  // Output paths: complementary signalling, high resolution and complex data
  // each double the ports one signal needs; half rate multiplexes I and Q.
  int paths = (diff + 1) * (wide + 1) * (x + 1) * n;
  paths = rate == 0 ? paths / 2 : paths * rate;
  if (paths < 1) Error(st, "valid paths are 1, 2 or 4", kTagConfig, 471);

  // Ports C and D belong to a live receiver in transceive.
  const bool transceive = live_receiver_on_cd(st);
  if (!transceive) {
    if (paths > 4) {
      Error(st, "More than 4 output paths required to support your configuration", kTagConfig, 477);
    } else if (sumin != 0 && paths > 2) {
      Error(st, "Only 2 output paths available when sumio is active", kTagConfig, 480);
    }
  } else {
    if (paths > 2) {
      Error(st, "Only 2 output paths available when in transceive", kTagConfig, 484);
    } else if (sumin != 0) {
      Error(st, "Can not support sumio in transceive case", kTagConfig, 485);
    }
  }
}

// Sum-tree selectors and summing modes.
void sum_tree(RunState& st, const OutputSignal& s) {
  ChipSettings& chip = st.chip;
  const int k = s.channels, n = s.nsig, x = s.cmplx, rate = s.rate, sumin = s.sumin;
  const int wide = s.wide;
  // Sum-tree selectors.
  const bool split = chip.splitiq == 1 || (chip.splitiqAB == 1 && chip.splitiqCD == 1);
  if (n == 1 && xmt_transmits(st.ch[0]) && xmt_transmits(st.ch[2]) && split) {
    set_if_unset(chip.sum_selI, 11);
    if (x != 0) set_if_unset(chip.sum_selQ, 11);
  }
  const int selector = sum_selector(k, n, rate, x, split);
  if (selector < 0) {
    // Only rates 0..2 exist on the chip; the selectors stay open.
    Error(st, "tout_rate must be 0, 1 or 2", kTagConfig, 540);
    if (x == 0) set_if_unset(chip.sum_selQ, 0);
  } else {
    set_if_unset(chip.sum_selI, selector);
    set_if_unset(chip.sum_selQ, x != 0 ? selector : 0);
  }

  // Summing modes.
  const bool sumio = sumin != 0;
  const bool sum16 = rate == 2 || (x != 0 && rate == 1) || chip.tout_res == 0;
  const int m = !sumio ? kSumBypass : sum16 ? kSumInput16 : kSumInput22;
  set_if_unset(chip.sum_ia, m);
  set_if_unset(chip.sum_qa, x != 0 ? m : kSumOff);
  set_if_unset(chip.sum_ib, n == 1 && rate <= 1 ? kSumOff : m);
  set_if_unset(chip.sum_qb, x != 0 && (n >= 2 || rate == 2) ? 0 : 1);
  if (!sumio) {
    set_if_unset(chip.sum_in, 0);
  } else {
    int in = -1;
    if (wide == 0 && rate == 0 && x == 1) in = 1;
    if (wide == 0 && rate == 1) in = 2;
    if (wide == 0 && rate == 2 && x == 0) in = 2;
    if (wide == 1 && rate == 1 && x == 0) in = 3;
    if (wide == 1 && rate == 0 && x == 1) in = 1;
    if (in < 0) {
      Error(st, "Illegal sumin combination", kTagConfig, 575);
    } else {
      set_if_unset(chip.sum_in, in);
    }
  }
}

// Port code word, port controls and the listing line.
void port_controls(RunState& st, const OutputSignal& s) {
  ChipSettings& chip = st.chip;
  const int k = s.channels, n = s.nsig, x = s.cmplx, rate = s.rate, sumin = s.sumin;
  const int wide = s.wide;
  const bool sumio = sumin != 0;
  // Port code word; -1 (all ones) where no layout exists.
  if (chip.tout_res == 3) Error(st, "How did we get here, res/diff", kTagConfig, 611);
  const int w = port_code_word(chip.tout_res, n, x, rate);
  if (w < 0) Error(st, "toutf missed a case", kTagConfig, 613);
  const unsigned bits = static_cast<unsigned>(w);

  // Port controls.
  set_if_unset(chip.toutf_xmt_AB, pair_transmits(st, 0) ? 1 : 0);
  set_if_unset(chip.toutf_sumin, sumin);
  set_if_unset(chip.toutf_xmt_CD, pair_transmits(st, 2) ? 1 : 0);
  set_if_unset(chip.toutf_do, static_cast<int>((bits >> 4) & 0x1f));
  set_if_unset(chip.toutf_co, static_cast<int>((bits >> 9) & 0x7));
  set_if_unset(chip.toutf_bo, static_cast<int>((bits >> 12) & 0xf));
  const int half_complex = x != 0 && rate == 0 ? 1 : 0;
  set_if_unset(chip.toutf_halfcmplx_AB, half_complex);
  set_if_unset(chip.toutf_halfcmplx_CD, half_complex);
  set_if_unset(chip.toutf_rnd_AB, 1 - wide);
  set_if_unset(chip.toutf_rnd_CD, chip.toutf_rnd_AB);
  set_if_unset(chip.toutf_quiet_CD, n >= 2 && (n >= 3 || rate >= 2) ? 0 : 1);

  // Provisional sum shift for the listing only; the gain step sets the real
  // one.  Fewer channels than signals (or no signal count) has no quotient.
  int t = 0;
  if (!sumio && n > 0 && k >= n) {
    const int q = k / n;
    t = q == 1 ? 3 : q == 2 ? 2 : 1;
  }
  const int rnd_cd = chip.toutf_rnd_CD == 1 ? 0 : chip.toutf_rnd_CD;
  const int sum_image = t + 8 * chip.sum_ia + 32 * chip.sum_ib + 128 * chip.sum_qa +
                        512 * chip.sum_qb + 1024 * chip.sum_in;
  Debug(st,
        strf(" 0x%x 0x%x 0x%x  0x%x %d %d %d %d\n", bits,
             static_cast<unsigned>(16 * (rnd_cd + 4) + chip.toutf_rnd_AB),
             static_cast<unsigned>(chip.sum_selQ * 256 + chip.sum_selI),
             static_cast<unsigned>(sum_image), n, k, t % 4, chip.toutf_rnd_AB % 4),
        kTagConfig, 645);
}

}  // namespace

int port_code_word(int res, int nsig, int cmplx, int rate) {
  for (const PortCode& p : kPortCodes) {
    if (p.res == res && p.nsig == nsig && p.cmplx == cmplx && p.rate == rate) return p.word;
  }
  return -1;
}

void output_formatter_step(RunState& st) {
  const ChipSettings& chip = st.chip;
  if (st.active_transmit_count == 0) return;
  const OutputSignal s{st.active_transmit_count,  chip.tout_nsig,
                       chip.tout_cmplx,           chip.tout_rate,
                       chip.tout_sumin,           chip.tout_res == 2 ? 0 : chip.tout_res,
                       chip.tout_res == 2 ? 1 : 0};
  check_signal_and_paths(st, s);
  sum_tree(st, s);
  port_controls(st, s);
}

}  // namespace cmd7730
