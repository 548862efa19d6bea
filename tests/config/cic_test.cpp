// CIC step: receive shift and its clamps, stage gains, transmit stage counts
// and the mode bits.
#include "config/cic.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

using testing::chip_with_modes;
using testing::R;
using testing::T;

// A receive chip whose channel A decimates by `dec` and is otherwise plain.
std::unique_ptr<RunState> receive_chip(int dec, int zpad = 0, int coefsym = 0) {
  auto st = chip_with_modes(R, R);
  st->chip.rinf_zpad = zpad;
  st->chip.splitiqAB = st->chip.splitiqCD = 0;
  for (auto& c : st->ch) {
    c.powerdown = 0;
    c.cic_dec = dec;
    c.ncic = dec - 1;
    c.coefsym = coefsym;
    c.fir_sym = 0;
  }
  return st;
}

TEST(CicStep, ReceiveShiftFollowsTheBitGrowthInDoublePrecision) {
  struct Case {
    int dec, zpad, coefsym, shift;
  };
  const Case cases[] = {
      {10, 0, 0, 23}, {100, 0, 0, 6},
      {100, 0, 1, 5}, {2, 3, 0, 36},   // padding beyond the decimation: B = 4*log2(2) - 1
      {8, 1, 0, 26},  {32, 0, 0, 14},  // 5*ln 32 + ln 0.5 lands just above 24 bits
      {64, 0, 0, 9},
  };
  for (const Case& k : cases) {
    auto st = receive_chip(k.dec, k.zpad, k.coefsym);
    cic_step(*st);
    EXPECT_EQ(st->ch[0].cic_shift, k.shift) << k.dec << " " << k.zpad << " " << k.coefsym;
    EXPECT_EQ(st->ch[0].cic_rshift, 1) << k.dec;
    EXPECT_EQ(st->console.captured(), "") << k.dec;
  }
}

TEST(CicStep, ReceiveGainsAndModeBits) {
  auto st = receive_chip(10);
  cic_step(*st);
  const ChannelSettings& a = st->ch[0];
  EXPECT_DOUBLE_EQ(a.cic_gain, 1e5 / 65536.0);
  EXPECT_EQ(a.rshift_gain, 1.0);
  EXPECT_EQ(a.zpad_gain, 1.0);
  EXPECT_EQ(a.mix_gain, 0.5);
  EXPECT_EQ(a.cic_rcv, 1);
  EXPECT_EQ(a.fir_rnd20, 1);
  EXPECT_EQ(a.cic_rcv_full, 1);
  EXPECT_EQ(a.cic_xmt_5stg, 0);
  EXPECT_EQ(a.cic_bypass, 0);
  EXPECT_EQ(a.swap_rcv_tdly, 0);
  EXPECT_EQ(a.cic_rcv_cross, 0);

  auto padded = receive_chip(4, 3);
  cic_step(*padded);
  EXPECT_EQ(padded->ch[0].zpad_gain, 0.25);
}

TEST(CicStep, ShiftClampsWarnOnlyWhenComputed) {
  {
    auto st = receive_chip(1);  // B = -1: 40 is one too many
    cic_step(*st);
    EXPECT_EQ(st->ch[0].cic_shift, 39);
    EXPECT_EQ(st->ch[0].swap_rcv_tdly, 1);  // no decimation
    EXPECT_EQ(st->ch[0].cic_bypass, 0);     // only transmit bypasses on ncic 0
    EXPECT_EQ(testing::count_of(st->console.captured(),
                                "Warning: CIC shift was calculated to be over 39; setting to 39 "
                                "as MAX value\n"),
              4);
  }
  {
    auto st = receive_chip(300);
    st->ch[1].cic_shift = 12;  // the user's shift stays without a warning
    cic_step(*st);
    EXPECT_EQ(st->ch[0].cic_shift, 0);
    EXPECT_EQ(st->ch[0].cic_rshift, 0);
    EXPECT_EQ(st->ch[0].rshift_gain, 0.5);
    EXPECT_EQ(st->ch[1].cic_shift, 12);
    EXPECT_DOUBLE_EQ(st->ch[1].cic_gain, std::pow(300.0, 5) * std::pow(2.0, 12 - 39));
    const std::string& out = st->console.captured();
    EXPECT_EQ(testing::count_of(out, "Error: CIC decimation amount is too large\n"), 4);
    EXPECT_EQ(testing::count_of(out, "setting to 0 as MIN value\n"), 3);
  }
}

TEST(CicStep, ExactPowerOfTwoAtTheTopRoundsBelowZero) {
  // 256 decimates to exactly 39 bits of growth on paper, a hair above in
  // double precision: the shift comes out negative and is clamped.
  auto st = receive_chip(256);
  cic_step(*st);
  EXPECT_EQ(st->ch[0].cic_shift, 0);
  EXPECT_EQ(st->ch[0].cic_rshift, 0);
  EXPECT_EQ(testing::count_of(st->console.captured(),
                              "Warning: CIC shift was calculated to be negative; setting to 0 "
                              "as MIN value\n"),
            4);
}

TEST(CicStep, TransmitStageCountsAndBypass) {
  auto st = chip_with_modes(T, T);
  st->chip.tout_rate = 2;
  st->chip.splitiqAB = st->chip.splitiqCD = 0;
  const int interp[4] = {300, 1, 16, 1300};
  for (int i = 0; i < 4; ++i) {
    st->ch[i].powerdown = 0;
    st->ch[i].cic_int = interp[i];
    st->ch[i].cic_2x = 0;
    st->ch[i].ncic = interp[i] - 1;
  }
  cic_step(*st);
  EXPECT_EQ(st->ch[0].cic_xmt_5stg, 1);
  EXPECT_EQ(st->ch[0].cic_xmt_d6stg, 0);
  EXPECT_EQ(st->ch[2].cic_xmt_5stg, 0);
  EXPECT_EQ(st->ch[2].cic_xmt_d6stg, 1);
  EXPECT_EQ(st->ch[1].cic_bypass, 1);
  EXPECT_EQ(st->ch[0].cic_bypass, 0);
  for (const auto& c : st->ch) {
    EXPECT_EQ(c.cic_rcv, 2);
    EXPECT_EQ(c.cic_rcv_full, 0);
    EXPECT_EQ(c.swap_rcv_tdly, 0);
  }
  EXPECT_EQ(st->console.captured(), "Error: CIC interpolation amount is too large\n");
}

TEST(CicStep, SplitReceivePairSharesTheCountAndCrossesTheOddInput) {
  for (int rate : {1, 2}) {
    auto st = receive_chip(5);
    st->chip.rin_rate = rate;
    st->chip.splitiqAB = 1;
    st->ch[0].ncic = 4;
    st->ch[1].ncic = 9;
    cic_step(*st);
    EXPECT_EQ(st->ch[1].ncic, 4);
    EXPECT_EQ(st->ch[0].cic_rcv_cross, rate == 2 ? 1 : 0);
    EXPECT_EQ(st->ch[1].cic_rcv_cross, 1);
    EXPECT_EQ(st->ch[2].cic_rcv_cross, rate == 2 ? 1 : 0);
    EXPECT_EQ(st->ch[3].cic_rcv_cross, rate == 2 ? 1 : 0);
  }
}

TEST(CicStep, BypassedCicInSplitPairOnlyAlignsTheHalves) {
  auto st = receive_chip(1);
  st->chip.splitiqAB = 1;
  st->ch[0].bypass_cic = 1;
  st->ch[0].fir_sym = 1;
  cic_step(*st);
  EXPECT_EQ(st->ch[0].cic_shift, 38);
  EXPECT_EQ(st->ch[0].cic_gain, 0.5);
  EXPECT_EQ(st->ch[0].cic_rcv_full, 0);
}

TEST(CicStep, MissingOrZeroDecimationStaysDefined) {
  auto st = receive_chip(4);
  st->ch[1].cic_dec = 0;       // given by the user: worth an Error
  st->ch[2].cic_dec = kUnset;  // powered down and never described
  st->ch[2].powerdown = 1;
  cic_step(*st);
  EXPECT_EQ(st->console.captured(), "Error: CIC decimation amount must be at least 1\n");
  for (int i : {1, 2}) {
    EXPECT_EQ(st->ch[i].cic_shift, 39) << i;  // a pass-through CIC
    EXPECT_TRUE(std::isfinite(st->ch[i].cic_gain)) << i;
    EXPECT_EQ(st->ch[i].cic_gain, 1.0) << i;
  }
}

}  // namespace
}  // namespace cmd7730
