// Gain and AGC step: transmit gain words, FIR/CIC/summing shifts, the gain
// constraint, receive gain words with saturation, and the AGC constants.
#include "config/gain.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

// Both pairs declared and defaulted, every channel powered down until a
// test brings one up.
std::unique_ptr<RunState> gain_chip(int ab, int cd) {
  auto st = testing::chip_with_modes(ab, cd);
  st->chip.fck = 100;
  st->chip.tout_nsig = 4;
  st->chip.tout_res = 0;
  for (auto& ch : st->ch) ch.powerdown = 1;
  return st;
}

// The single full-scale tap behind a six-stage interpolate-by-5 CIC.
ChannelSettings& single_tap_transmitter(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  ch.powerdown = 0;
  ch.coefs[0] = 32767;
  ch.ncoefs = 1;
  ch.sumtap = 32767;
  ch.fir_int = 1;
  ch.fir_sym = 0;
  ch.cic_int = 5;
  ch.cic_xmt_5stg = 0;
  ch.cic_bypass = 0;
  return ch;
}

// A receiver with the CIC step's factors for unity CIC gain.
ChannelSettings& unity_receiver(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  ch.powerdown = 0;
  ch.sumtap = 32767;
  ch.cic_gain = 1.0;
  ch.rshift_gain = 1.0;
  ch.zpad_gain = 1.0;
  ch.mix_gain = 0.5;
  ch.fir_dec = 1;
  ch.cic_dec = 10;
  return ch;
}

const std::string& console(RunState& st) { return st.console.captured(); }
bool said(RunState& st, const std::string& text) {
  return console(st).find(text) != std::string::npos;
}

TEST(TransmitGain, WorkedExample) {
  auto st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& a = single_tap_transmitter(*st, 0);
  gain_step(*st);
  EXPECT_EQ(a.fir_shift, 7);
  EXPECT_EQ(a.gain_msb, 0);
  EXPECT_EQ(a.gain_lsb, 2684);
  EXPECT_DOUBLE_EQ(a.gain, 2684 / 4096.0);
  EXPECT_EQ(a.cic_shift, 29);
  EXPECT_DOUBLE_EQ(a.cic_gain, 3125 / 4096.0);
  EXPECT_DOUBLE_EQ(a.fir_gain, 32767 / 16384.0);
  EXPECT_DOUBLE_EQ(a.overall_gain, 1.0);
  EXPECT_EQ(st->chip.sum_shift, kUnset);
  EXPECT_EQ(console(*st), "");
}

TEST(TransmitGain, GivenGainWordsAndTheGainConstraint) {
  auto st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& a = single_tap_transmitter(*st, 0);
  a.gain = 0.5;  // 2048 sits inside the optimal window as tested
  gain_step(*st);
  EXPECT_EQ(a.gain_msb * 65536 + a.gain_lsb, 2048);
  EXPECT_EQ(console(*st), "");

  st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& b = single_tap_transmitter(*st, 1);
  b.gain_lsb = 4096;
  b.overall_gain = 1.0;
  gain_step(*st);
  EXPECT_EQ(b.gain_msb, 0);
  EXPECT_DOUBLE_EQ(b.gain, 1.0);  // 1.99994 * 1.0 * 0.76294 > 1
  EXPECT_EQ(console(*st),
            "Warning: Gain block gain has been set with gain_lsb or gain, but overall_gain is also "
            "set.\n"
            "    (gain block gain being set limits ability to get exactly overall_gain)\n"
            "Error: settings violate gain constraint:  gain * fir_gain * cic_gain must not be "
            "over 1.0\n"
            "   try decreasing gain or overall_gain\n");
  EXPECT_EQ(st->error_flag, 1);

  // A lone gain_msb stays; the low word is derived as without any gain.
  st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& c = single_tap_transmitter(*st, 0);
  c.gain_msb = 0;
  gain_step(*st);
  EXPECT_EQ(c.gain_lsb, 2684);
  EXPECT_EQ(console(*st), "Warning: gain_msb is set, but gain_lsb is not.\n");
}

TEST(TransmitGain, SummingShiftIsTradedAgainstTheFirShift) {
  struct Case {
    int nsig, res, sum_shift, fir_shift;
  };
  // F = 1 / (0.76294 * 1.99994 * 2048 / 4096) = 1.31: one bit up in the
  // summing block, so the word halves to 1342 and is doubled back into range.
  for (const Case& k : {Case{2, 0, 4, 6}, Case{1, 1, 7, 6}, Case{3, 1, kUnset, 7}}) {
    auto st = gain_chip(kModeTransmit, kModeReceive);
    st->chip.tout_nsig = k.nsig;
    st->chip.tout_res = k.res;
    ChannelSettings& a = single_tap_transmitter(*st, 0);
    gain_step(*st);
    EXPECT_EQ(st->chip.sum_shift, k.sum_shift) << k.nsig;
    EXPECT_EQ(a.fir_shift, k.fir_shift) << k.nsig;
    EXPECT_EQ(a.gain_lsb, 2684) << k.nsig;
    EXPECT_DOUBLE_EQ(a.sum_gain, k.fir_shift == 6 ? 2.0 : 1.0) << k.nsig;
  }
}

TEST(TransmitGain, CicShiftLimitsAndBypass) {
  auto st = gain_chip(kModeTransmit, kModeTransmit);
  ChannelSettings& a = single_tap_transmitter(*st, 0);
  ChannelSettings& b = single_tap_transmitter(*st, 1);
  ChannelSettings& c = single_tap_transmitter(*st, 2);
  a.cic_int = b.cic_int = 1000;  // growth 10^15: floor(41 - 49.8) = -9
  b.cic_shift = 5;
  c.cic_bypass = 1;
  gain_step(*st);
  EXPECT_EQ(a.cic_shift, 0);
  EXPECT_EQ(b.cic_shift, 5);
  EXPECT_DOUBLE_EQ(a.cic_gain, std::ldexp(1e15, -41));
  EXPECT_DOUBLE_EQ(b.cic_gain, std::ldexp(1e15, -50));  // the computed shift, not the user's
  EXPECT_EQ(c.cic_shift, 39);
  EXPECT_DOUBLE_EQ(c.cic_gain, 1.0);
  EXPECT_EQ(console(*st).rfind(
                "Warning: CIC shift was calculated to be negative; setting to 0 as MIN value\n", 0),
            0u);
}

TEST(ReceiveGain, FirShiftAndWordFromTheChain) {
  auto st = gain_chip(kModeReceive, kModeReceive);
  ChannelSettings& a = unity_receiver(*st, 0);
  gain_step(*st);
  EXPECT_DOUBLE_EQ(a.overall_gain, 2.0);
  // log2(32767 / 2) gives fs 8; with the AGC off the FIR may not exceed 2.
  EXPECT_EQ(a.fir_shift, 7);
  EXPECT_EQ(a.gain_msb * 65536 + a.gain_lsb, 8192);
  EXPECT_EQ(a.pwr_mtr_sync, 7);
  for (int v : {a.agc_min, a.agc_max, a.agc_thresh, a.agc_Dblw, a.agc_Dabv, a.agc_Dzro, a.agc_Dsat})
    EXPECT_EQ(v, 0);
  EXPECT_EQ(
      console(*st),
      "Warning: agc_freeze is high, so assuming AGC is not used. Trying to set fir_shift so "
      "that gain\n"
      "    in FIR block does not exceed 2.0 (note that fir_shift can not go lower than 0).\n");
}

TEST(ReceiveGain, WordSaturatesOnItsFullValue) {
  struct Case {
    double gain;
    int msb, lsb;
    bool saturated;
  };
  for (const Case& k : {Case{0x3ffff / 4096.0, 3, 0xffff, false}, Case{64.0, 7, 0xffff, true},
                        Case{128.0, 7, 0xffff, true}, Case{-0.25, 7, 64513, false}}) {
    auto st = gain_chip(kModeReceive, kModeReceive);
    ChannelSettings& a = unity_receiver(*st, 0);
    a.gain = k.gain;
    gain_step(*st);
    EXPECT_EQ(a.gain_msb, k.msb) << k.gain;
    EXPECT_EQ(a.gain_lsb, k.lsb) << k.gain;
    EXPECT_EQ(said(*st,
                   "Warning: Static AGC gain calculated to be larger than max (gain_msb and "
                   "gain_lsb\ntogether larger than 0x3ffff). Saturating the gain.\n"),
              k.saturated)
        << k.gain;
  }
}

TEST(Agc, LoopShiftsLimitsAndDefaults) {
  auto st = gain_chip(kModeReceive, kModeReceive);
  ChannelSettings& a = unity_receiver(*st, 0);
  a.agc_freeze = 0;
  a.agc_tc = 1000;
  a.agc_mode = 5;
  a.gain_lsb = 4096;
  gain_step(*st);
  EXPECT_EQ(a.agc_mode, 2);
  EXPECT_EQ(a.agc_cf, 10);
  EXPECT_EQ(a.agc_step, 12);  // floor(log2(1000 * 100 / 10) - 1.25)
  EXPECT_DOUBLE_EQ(a.agc_time_constant, std::pow(2.0, 13.75));
  EXPECT_EQ((std::array{a.agc_Dblw, a.agc_Dabv, a.agc_Dzro, a.agc_Dsat}),
            (std::array{12, 10, 8, 8}));
  EXPECT_EQ(a.agc_min, 510);
  EXPECT_EQ(a.agc_max, 65472 - 512);
  EXPECT_FALSE(said(*st, "microseconds) not set"));
  EXPECT_TRUE(said(*st, "dB) not set. Defaulting to 10dB.\n"));
  EXPECT_TRUE(said(*st, "not set or set wrong. Defaulting to 2 (mixed).\n"));
}

TEST(Agc, ThresholdByModeAndItsClamp) {
  struct Case {
    int mode, cf, user, thresh;
    bool clamped;
  };
  for (const Case& k : {Case{0, 10, kUnset, 54, false}, Case{1, 10, kUnset, 80, false},
                        Case{2, 10, kUnset, 103, false}, Case{2, 0, kUnset, 255, true},
                        Case{2, 0, 200, 200, false}}) {
    auto st = gain_chip(kModeReceive, kModeReceive);
    ChannelSettings& a = unity_receiver(*st, 0);
    a.agc_freeze = 0;
    a.agc_tc = 1000;
    a.agc_cf = k.cf;
    a.agc_mode = k.mode;
    a.agc_thresh = k.user;
    gain_step(*st);
    EXPECT_EQ(a.agc_thresh, k.thresh) << k.mode << " " << k.cf;
    EXPECT_EQ(said(*st,
                   "Warning: agc_thresh calculated to be higher than 255. Setting to 255.\n"
                   "    check that agc_cf is not too low"),
              k.clamped);
    EXPECT_EQ(a.agc_Dabv, k.mode == 2 ? 10 : 12);
  }
}

TEST(GainStep, DegenerateSettingsReportAndCarryOn) {
  auto st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& zero = single_tap_transmitter(*st, 0);
  zero.coefs[0] = zero.sumtap = 0;
  ChannelSettings& no_int = single_tap_transmitter(*st, 1);
  no_int.fir_int = 0;
  ChannelSettings& flat = unity_receiver(*st, 2);
  flat.sumtap = 0;
  ChannelSettings& mute = unity_receiver(*st, 3);
  mute.overall_gain = mute.agc_freeze = mute.agc_tc = 0;
  mute.agc_cf = 10;
  mute.agc_mode = 1;
  gain_step(*st);

  for (const ChannelSettings* t : {&zero, &no_int}) {
    EXPECT_EQ(t->fir_shift, 7);
    EXPECT_EQ(t->gain_lsb, 4096);  // unity
  }
  EXPECT_EQ(flat.fir_shift * 65536 + flat.gain_lsb, 4096);
  EXPECT_EQ(mute.fir_shift * 65536 + mute.gain_lsb, 0);
  EXPECT_EQ(mute.agc_step, 0);
  EXPECT_EQ(mute.agc_max, 52428);  // floor(65536 / 1.25) - 0
  EXPECT_EQ(st->error_flag, 0);
  for (const char* text :
       {"Warning: FIR coefficients are all zero; gain settings can not be derived from them.\n",
        "Warning: Sum of FIR coefficients or the CIC gain is not above 0",
        "Warning: overall_gain is not above 0; setting the gain block to 0.\n",
        "Warning: AGC time constant can not be computed"})
    EXPECT_TRUE(said(*st, text)) << text;
}

TEST(GainStep, ANegativeGainIsAnErrorAndTheWordsAreTheComputedBits) {
  auto st = gain_chip(kModeTransmit, kModeReceive);
  ChannelSettings& tx = single_tap_transmitter(*st, 0);
  tx.overall_gain = -0.25;
  unity_receiver(*st, 2).gain = -0.25;  // words in WordSaturatesOnItsFullValue
  gain_step(*st);
  EXPECT_LT(tx.gain_msb, 0);  // c >> 16 of a negative c
  EXPECT_EQ(st->error_flag, 1);
  EXPECT_TRUE(said(*st, "Error: gain is below 0; a gain word can not hold a negative gain\n"));
  EXPECT_TRUE(
      said(*st, "Error: overall_gain is below 0; a gain word can not hold a negative gain\n"));
}

// Odd targets, gains and filter chains never leave the shifts or the
// receive gain word outside their registers.
}  // namespace
}  // namespace cmd7730
