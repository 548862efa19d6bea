// Input formatter step: pin and width codes, receive selections, transmit
// frame-strobe schedule and the strobe output delay search.
#include "config/input_formatter.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

// A transmit channel with `count` = (ncic + 1) * fir_int clocks per sample.
void cycle(ChannelSettings& ch, int ncic, int fir_int, int sck_div, int fs_dly) {
  ch.ncic = ncic;
  ch.fir_int = fir_int;
  ch.sck_div = sck_div;
  ch.tinf_fs_dly = fs_dly;
}

// Every channel active with 16-bit words on 16 pins and the worked
// example's cycle; Debug lines kept.
std::unique_ptr<RunState> formatter_chip(int ab, int cd) {
  auto st = testing::chip_with_modes(ab, cd);
  testing::open_debug(*st);
  st->chip.print_flags |= output_bit(kAnalysis);
  st->chip.splitiq = st->chip.splitiqAB = st->chip.splitiqCD = 0;
  for (auto& ch : st->ch) {
    ch.powerdown = ch.fir_cmplx = ch.tinf_cmplx = ch.cic_bypass = 0;
    ch.pins = ch.bits = 16;
    ch.cic_int = 8;
    cycle(ch, 7, 2, 0, 3);
  }
  return st;
}

const std::string& analysis(RunState& st) { return st.out[kAnalysis].captured(); }
const std::string& console(RunState& st) { return st.console.captured(); }

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(InputFormatter, TransmitTimingOfTheWorkedExampleAndItsDelayWrap) {
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  ChannelSettings& a = st->ch[0];
  input_formatter_step(*st);
  EXPECT_EQ(a.tinf_pins * 10 + a.tinf_bits, 44);
  EXPECT_EQ(a.tinf_nfs, 0);
  EXPECT_EQ(a.tinf_fs_cnt, 15);
  EXPECT_EQ(a.tinf_first, 0);
  EXPECT_EQ(a.tinf_second, 4);
  EXPECT_EQ(a.tinf_fso_dly, 1);  // T(0, 0) = 16 lands in [21 - 16, 21)
  EXPECT_TRUE(has(st->out[kDebug].captured(),
                  "Debug(.\\config L1275): Dbg: nchan 1 tdm 0 minrq 0 delay 3 xa 0 xb 0 ya 4 yb 4 "
                  "div 1 iqmux 0 cmplx 0 pins 16 bits 16 fscnt 16 min 1 nfs 1 ndivcks 16\n\n"));
  EXPECT_EQ(console(*st), "");

  st = formatter_chip(kModeTransmit, kModeReceive);
  st->ch[0].tinf_fs_dly = 20;
  input_formatter_step(*st);
  EXPECT_EQ(analysis(*st),
            "Channel 0 FS delay of 20 beyond cycle length. Using delay mod cycle length:  4.\n");
  EXPECT_EQ(st->ch[0].tinf_second, 5);
  EXPECT_EQ(console(*st), "");  // not a message
}

TEST(InputFormatter, PinAndWidthCodesOfUnusualWordLayouts) {
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  ChannelSettings &a = st->ch[0], &b = st->ch[1], &c = st->ch[2], &d = st->ch[3];
  a.bits = 8, a.tinf_cmplx = 1;  // I and Q side by side on 16 pins
  b.pins = 12;
  c.pins = 8, c.bits = d.bits = 20;
  d.agc_gain_out = 1;
  input_formatter_step(*st);
  EXPECT_EQ(a.tinf_pariq * 10 + a.tinf_iqmux, 10);
  EXPECT_EQ(a.tinf_pins * 10 + a.tinf_bits, 42);
  EXPECT_EQ(b.tinf_pins, 4);
  EXPECT_TRUE(has(console(*st), "Error: Pins must be 4,8, or 16\n"));
  EXPECT_TRUE(
      has(console(*st), "Warning: 3 is not a legal setting for tinf_pins. Reset to 4.\n\n"));
  EXPECT_EQ(c.routf_pins, 2);
  EXPECT_EQ(c.routf_bits, 16);
  EXPECT_EQ(c.gain_rnd, 0);
  EXPECT_EQ(d.gain_rnd, 12);
}

TEST(InputFormatter, ReceiveInputSelectionsPortsAndPowerDown) {
  struct Case {
    int cmplx, rate, a, b, c, d;
  };
  for (const Case& k : {Case{1, 1, 4, 1, 4, 1}, Case{0, 1, 4, 4, 4, 4}, Case{1, 0, 3, 3, 3, 3}}) {
    auto st = formatter_chip(kModeReceive, kModeReceive);
    st->chip.rin_cmplx = k.cmplx;
    st->chip.rin_rate = k.rate;
    input_formatter_step(*st);
    const ChipSettings& chip = st->chip;
    EXPECT_EQ((std::array{chip.rinf_sel_A, chip.rinf_sel_B, chip.rinf_sel_C, chip.rinf_sel_D}),
              (std::array{k.a, k.b, k.c, k.d}));
    EXPECT_EQ(chip.en_CO + chip.en_CFS + chip.en_DO + chip.en_DFS, 4);
  }

  auto st = formatter_chip(kModeTransmit, kModeReceive);
  st->chip.tout_sumin = 1;
  st->ch[2].powerdown = 1;
  input_formatter_step(*st);
  EXPECT_EQ(st->chip.en_CO + st->chip.en_CFS + st->chip.en_DO + st->chip.en_DFS, 0);
  const ChannelSettings& c = st->ch[2];  // its codes and nothing else
  EXPECT_EQ(c.routf_pwrdown * 10 + c.fso_sel, 10);
  EXPECT_EQ(c.routf_pins, 4);
  EXPECT_EQ(c.gain_rnd, kUnset);
  EXPECT_EQ(st->chip.rinf_sel_C, kUnset);
}

TEST(InputFormatter, UndescribedPoweredDownChannelDrawsNoPinOrWidthError) {
  // Channel D is powered down and was never described: no Error.  Channel C
  // is powered down too but carries a bad width the user gave: reported.
  auto st = formatter_chip(kModeReceive, kModeReceive);
  st->ch[3].powerdown = st->ch[2].powerdown = 1;
  st->ch[3].pins = st->ch[3].bits = kUnset;
  st->ch[2].bits = 10;
  input_formatter_step(*st);
  EXPECT_EQ(testing::count_of(console(*st), "Pins must be 4,8, or 16"), 0);
  EXPECT_EQ(testing::count_of(console(*st), "Bits must be 4,8,12,16, or 20"), 1);
  EXPECT_EQ(st->ch[3].routf_pwrdown, 1);
  EXPECT_EQ(st->ch[3].routf_bits, 0);

  // A powered-up channel without pins or bits is still an Error.
  auto up = formatter_chip(kModeReceive, kModeReceive);
  up->ch[1].pins = up->ch[1].bits = kUnset;
  input_formatter_step(*up);
  EXPECT_EQ(testing::count_of(console(*up), "Pins must be 4,8, or 16"), 1);
  EXPECT_EQ(testing::count_of(console(*up), "Bits must be 4,8,12,16, or 20"), 1);
}

TEST(InputFormatter, SecondWordBeyondTheCycleIsWrappedByTheRealCeiling) {
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  for (int c : {0, 1}) {
    cycle(st->ch[c], 7, 2, 2, 4);  // count 16, E 3, d 4
    st->ch[c].pins = 8;
    st->ch[c].tinf_cmplx = 1;  // I then Q, two words each
  }
  input_formatter_step(*st);
  // ya = d + 1 + v = 7 does not fit; L = ceil(16 / 3) = 6, so 7 mod 6 = 1.
  EXPECT_EQ(st->ch[0].tinf_first, 2);
  EXPECT_EQ(st->ch[0].tinf_second, 1);
  EXPECT_EQ(st->ch[1].tinf_second, 7);  // only channel A is mended
  EXPECT_EQ(console(*st).rfind("Warning: tinf_second too large compared to cycle length; going to "
                               "try tinf_second mod cycle length.\n (will use exactly",
                               0),
            0u);
}

TEST(InputFormatter, MaximumRateSeriesModeForcesDelayOne) {
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  cycle(st->ch[0], 0, 4, 1, 0);  // count 4 = E 2 * two words: maximum rate
  st->ch[0].tinf_cmplx = 1;
  input_formatter_step(*st);
  EXPECT_TRUE(has(console(*st),
                  "Warning: Maximum rate non-tdm iq series mode must have delay of 1 if pins >= "
                  "bits...using 1 for delay.\n"));
  EXPECT_TRUE(has(st->out[kDebug].captured(), "minrq 1 delay 1 xa 1 xb 1 ya 1 yb 1 div 2 iqmux 1"));
}

TEST(StrobeDelay, WithoutTdm) {
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  cycle(st->ch[0], 0, 1, 0, 0);  // one clock per sample needs no delay
  cycle(st->ch[1], 3, 2, 0, 3);  // count 8: the data window is [13, 21)
  st->ch[1].tinf_fso_dly = 7;    // T(6, 1) = 10 meets no window and stays
  cycle(st->ch[2], 3, 2, 0, 3);
  st->pair[1].mode = kModeTransmit;
  st->ch[3].powerdown = 1;
  input_formatter_step(*st);
  EXPECT_EQ(st->ch[0].tinf_fso_dly, 0);
  EXPECT_EQ(st->ch[1].tinf_fso_dly, 7);
  EXPECT_EQ(st->ch[2].tinf_fso_dly, 1);
  EXPECT_EQ(console(*st),
            "Warning: Frame strobe delay can not be set properly with current configuration,\n"
            "  data from swap RAM might not come out properly."
            "  If problems, change sck_div, ncic or fir_int to fix.\n"
            "  Also, if filter duty cycle is at 100% (always running), it should be okay.\n");
}

// TDM on pair AB, four pins carrying 16-bit words: count 8 leaves the
// primary window empty, so the search falls back to aligning groups of
// channels one word apart.
TEST(StrobeDelay, TdmFallbackWindows) {
  for (int standing : {kUnset, 2}) {
    auto st = formatter_chip(kModeTransmit, kModeReceive);
    st->chip.tinf_tdm = 1;
    for (int c : {0, 1}) {
      cycle(st->ch[c], 3, 2, 0, 0);
      st->ch[c].pins = 4;
    }
    st->ch[0].tinf_fso_dly = standing;
    input_formatter_step(*st);
    const std::string b_line =
        "Data can not be aligned. Aligning so channels a and b are one off of c and d.\n";
    EXPECT_EQ(st->ch[1].tinf_fso_dly, 5);
    EXPECT_EQ(st->error_flag, 0);
    if (standing == kUnset) {
      EXPECT_EQ(st->ch[0].tinf_fso_dly, 5);
      EXPECT_EQ(analysis(*st), b_line + b_line);
      EXPECT_EQ((std::array{st->ch[0].tinf_src, st->ch[0].tinf_first, st->ch[0].tinf_second,
                            st->ch[1].tinf_src, st->ch[1].tinf_first, st->ch[1].tinf_second}),
                (std::array{6, 0, 1, 1, 1, 4}));
    } else {  // a standing delay is tested alone: 2 lands in the third window
      EXPECT_EQ(st->ch[0].tinf_fso_dly, 2);
      EXPECT_EQ(
          analysis(*st),
          "Data can not be aligned. Aligning so channels a b and c are one off of d.\n" + b_line);
    }
  }
}

TEST(StrobeDelay, SplitTdmStartsFromTwoAndTheClampFollowsFirInt) {
  for (int split : {1, 0}) {
    auto st = formatter_chip(kModeTransmit, kModeReceive);
    st->chip.tinf_tdm = 1;
    st->chip.splitiqAB = split;
    for (int c : {0, 1}) {
      cycle(st->ch[c], 0, 4, 0, 0);
      st->ch[c].cic_int = 1;
    }
    input_formatter_step(*st);
    // Split: 2 stands and only the first fallback window holds it.  Not
    // split: the primary window gives 4, cut to fir_int - 1 without
    // interpolation ahead.
    EXPECT_EQ(st->ch[0].tinf_fso_dly, split ? 2 : 3);
    EXPECT_EQ(has(analysis(*st), "Aligning so channels a and b"), split == 1);
  }
}

TEST(InputFormatter, NoBitsGiveNoWordsPerSample) {
  // I and Q in series: the first word loads after v words, the second after
  // the delay, a strobe and v more; v = ceil(0 / 16) = 0.
  auto st = formatter_chip(kModeTransmit, kModeReceive);
  ChannelSettings& a = st->ch[0];
  a.tinf_iqmux = 1;
  a.bits = 0;
  input_formatter_step(*st);
  EXPECT_EQ(a.tinf_first, 0);
  EXPECT_EQ(a.tinf_second, 4);  // 3 + 1 + 0
  EXPECT_TRUE(has(console(*st), "Error: Bits must be 4,8,12,16, or 20\n"));
}

TEST(InputFormatter, DegenerateSettingsReportAndCarryOn) {
  auto st = formatter_chip(kModeTransmit, kModeTransmit);
  cycle(st->ch[0], 7, 0, 0, 3);  // fir_int 0: no cycle at all
  st->ch[0].cic_int = 1;
  st->ch[1].pins = st->ch[1].bits = 0;
  cycle(st->ch[2], 0, 2, 15, 3);  // slow clock longer than the cycle
  st->ch[3].pins = st->ch[3].bits = kUnset;
  cycle(st->ch[3], kUnset, kUnset, kUnset, kUnset);
  input_formatter_step(*st);
  EXPECT_TRUE(has(console(*st), "Error: Toggle and frame strobe coming faster than maximum rate."));
  EXPECT_TRUE(has(console(*st), "Error: Bits must be 4,8,12,16, or 20\n"));
  EXPECT_EQ(st->ch[0].tinf_fso_dly, 0);
  EXPECT_EQ(st->ch[2].tinf_fs_cnt, kUnset);  // no whole slow clock per cycle
}

// Every combination of odd settings runs to the end with the strobe delay
// and load points inside their registers.
}  // namespace
}  // namespace cmd7730
