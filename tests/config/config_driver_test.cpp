// Configuration driver: sync sources from `sync_mode`, double-rate pairing,
// the CIC count, FIR bypass, and which channels get a FIR configuration.
#include "config/config_driver.h"

#include <gtest/gtest.h>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

using testing::chip_with_modes;
using testing::count_of;
using testing::R;
using testing::T;

// A chip whose four channels are powered down and carry no filter, so the
// walk exercises only the driver's own rules.
std::unique_ptr<RunState> idle_chip(int ab, int cd) {
  auto st = chip_with_modes(ab, cd);
  st->chip.splitiqAB = st->chip.splitiqCD = 0;  // as the mixer step leaves them
  for (auto& c : st->ch) {
    c.powerdown = 1;
    c.pins = 16;
    c.bits = 16;
    c.cic_int = 2;
    c.cic_dec = 2;
  }
  return st;
}

TEST(SyncSource, ModesMapToThreeSources) {
  const int expected[10] = {2, 3, 2, 3, 2, 2, 3, 3, 4, 4};
  for (int m = 0; m < 10; ++m) EXPECT_EQ(sync_source(m), expected[m]) << m;
  EXPECT_EQ(sync_source(10), -1);
  EXPECT_EQ(sync_source(-1), -1);
}

TEST(ConfigureChannels, SyncModesPickSourcesAndKeepUserValues) {
  struct Case {
    int mode, source, sob, one_shot;
  };
  for (const Case& k : {Case{3, 3, 3, 1}, Case{8, 4, 4, 3}, Case{6, 3, 4, 3}}) {
    auto st = idle_chip(R, T);
    st->chip.sync_mode = k.mode;
    st->ch[1].sck_div = 2;
    st->ch[3].agc_freeze = 0;
    st->ch[2].cic_sync = 5;
    configure_channels(*st);
    EXPECT_EQ(st->ch[2].cic_sync, 5) << k.mode;
    EXPECT_EQ(st->ch[0].fir_sync, k.source) << k.mode;
    EXPECT_EQ(st->ch[1].sck_sync, k.source) << k.mode;
    EXPECT_EQ(st->ch[0].sck_sync, 7) << k.mode;
    EXPECT_EQ(st->ch[3].gain_sync, 0) << k.mode;
    EXPECT_EQ(st->chip.soB_sync, k.sob) << k.mode;
    EXPECT_EQ(st->chip.one_shot, k.one_shot) << k.mode;
  }
}

TEST(ConfigureChannels, NoActiveReceiverSwitchesZeroPaddingOff) {
  auto st = idle_chip(T, T);
  st->chip.rinf_zpad = 3;
  st->chip.rinf_zpad_sync = 2;
  configure_channels(*st);
  EXPECT_EQ(st->chip.rinf_zpad, 0);
  EXPECT_EQ(st->chip.rinf_zpad_sync, 7);
}

TEST(ConfigureChannels, DoubleRateReceiveNeedsAnEvenDecimation) {
  auto st = idle_chip(R, T);
  st->chip.rin_rate = 2;
  st->chip.splitiq = 0;
  st->ch[0].cic_dec = st->ch[1].cic_dec = 5;
  st->ch[0].cic_int = st->ch[1].cic_int = 1;
  configure_channels(*st);
  const std::string& out = st->console.captured();
  EXPECT_EQ(count_of(out, "Warning: splitiq must be 1 in double rate mode. Forcing to 1\n"), 1);
  EXPECT_EQ(count_of(out, "Error: cic_dec must be even for double rate\n"), 2);
  EXPECT_EQ(st->chip.splitiqCD, 1);
  EXPECT_EQ(st->ch[0].cic_2x, 1);
  EXPECT_EQ(st->ch[0].ncic, 1);  // 5 / 2 - 1
  EXPECT_EQ(st->ch[1].ncic, 1);
  EXPECT_EQ(st->ch[2].cic_2x, 0);
  EXPECT_EQ(st->ch[2].ncic, 3);
}

TEST(ConfigureChannels, ChannelWithoutCicRateGetsNoCountAndNoEvennessError) {
  auto st = idle_chip(R, R);
  st->chip.rin_rate = 2;
  st->chip.splitiq = 1;
  st->ch[3].cic_dec = kUnset;  // powered down, never described
  configure_channels(*st);
  EXPECT_EQ(st->ch[3].ncic, kUnset);
  EXPECT_EQ(st->ch[2].ncic, 1);  // 2 * 2 / 2 - 1
  EXPECT_EQ(count_of(st->console.captured(), "even for double rate"), 0);
}

TEST(HalfSamplePhase, ReadsTheWordAsSigned16AndRoundsUp) {
  EXPECT_EQ(half_sample_phase(5), 3);
  EXPECT_EQ(half_sample_phase(0xfffb), -2);  // -5
  EXPECT_EQ(half_sample_phase(0x8001), -16383);
  EXPECT_EQ(half_sample_phase(0), 0);
}

TEST(ConfigureChannels, DoubleRateOddChannelRunsHalfASampleAhead) {
  for (int phase : {100, 0}) {
    auto st = idle_chip(T, R);
    st->chip.tout_rate = 2;
    st->chip.splitiq = 1;
    ChannelSettings& a = st->ch[0];
    a.freq_msb = 0x8001;
    a.freq_mid = 7;
    a.freq_lsb = 9;
    a.phase = phase;
    st->ch[1].freq_msb = 0x1234;  // forced over
    configure_channels(*st);
    const ChannelSettings& b = st->ch[1];
    EXPECT_EQ(b.freq_msb, 0x8001);
    EXPECT_EQ(b.freq_mid, 7);
    EXPECT_EQ(b.freq_lsb, 9);
    EXPECT_EQ(b.phase, (phase - 16383 + 65536) % 65536) << phase;
    EXPECT_EQ(st->ch[3].phase, 0);  // the receive pair is not double rate
  }
}

TEST(ConfigureChannels, BypassedFirBecomesAUnitImpulse) {
  auto st = idle_chip(R, R);
  ChannelSettings& a = st->ch[0];
  a.bypass_fir = 1;
  a.ncoefs = 5;
  a.fir_dec = 4;
  a.coefsym = 1;
  for (int k = 0; k < 20; ++k) a.coefs[k] = 100 + k;
  configure_channels(*st);
  EXPECT_EQ(a.ncoefs, 16);
  EXPECT_EQ(a.fir_dec, 1);
  EXPECT_EQ(a.fir_int, 1);
  EXPECT_EQ(a.coefsym, 0);
  EXPECT_EQ(a.coefs[0], 0x7fff);
  for (int k = 1; k < 20; ++k) EXPECT_EQ(a.coefs[k], 0) << k;
}

TEST(ConfigureChannels, PoweredDownChannelWithoutFilterIsNotLaidOut) {
  auto st = idle_chip(R, R);
  st->ch[1].bypass_fir = 1;  // powered down, but it has a filter
  configure_channels(*st);
  EXPECT_EQ(st->ch[0].fir_cmplx, kUnset);
  EXPECT_EQ(st->ch[0].inrateT, -1);
  EXPECT_NE(st->ch[1].fir_cmplx, kUnset);
}

}  // namespace
}  // namespace cmd7730
