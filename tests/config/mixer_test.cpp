// Mixer step (power-down mapping, sample rates, tuning words) and the mixer
// input selection.
#include "config/mixer.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

using testing::chip_with_modes;
using testing::count_of;
using testing::R;
using testing::T;
using Word = std::array<int, 3>;

TEST(TuningWord, TruncatesAndWrapsNegativeAndOutOfRangeFrequencies) {
  EXPECT_EQ(tuning_word(25, 100), (Word{0x4000, 0, 0}));
  EXPECT_EQ(tuning_word(-25, 100), (Word{0xc000, 0, 0}));
  EXPECT_EQ(tuning_word(1, 3), (Word{21845, 21845, 21845}));  // never rounds up
  // A whole number of turns more is the same word; the words stay 16-bit.
  EXPECT_EQ(tuning_word(125, 100), (Word{0x4000, 0, 0}));
  EXPECT_EQ(tuning_word(-125, 100), (Word{0xc000, 0, 0}));
  // So close below zero that one turn up rounds to a whole turn: no turn.
  EXPECT_EQ(tuning_word(-1e-20, 100), (Word{0, 0, 0}));
  EXPECT_EQ(tuning_word(1, 0), std::nullopt);
}

TEST(MixerStep, UserFreqIsKeptWhileAGivenWordSetsFreqFromTheSampleRate) {
  auto st = chip_with_modes(R, R);
  st->chip.fck = 100;
  st->chip.rinf_zpad = 1;
  for (auto& c : st->ch) c.cic_dec = 4;
  st->ch[0].freq = 25;
  st->ch[1].freq_msb = 0x4000;
  mixer_step(*st);
  EXPECT_EQ(st->ch[0].freq, 25.0);
  EXPECT_EQ(st->ch[0].freq_msb, 0x4000);  // the word counts turns of fck
  EXPECT_EQ(st->ch[0].fsample, 50.0);
  EXPECT_EQ(st->ch[1].freq, 12.5);
  EXPECT_EQ(st->ch[1].fsample, 50.0);
  // Channels C and D have neither freq nor freq_msb.
  EXPECT_EQ(count_of(st->console.captured(), "Error: Need to set either freq or freq_msb\n"), 2);
}

TEST(MixerStep, OutputHoldDividesTheRateOnlyWithAnActiveHoldSync) {
  for (int sync : {7, 2}) {
    auto st = chip_with_modes(T, T);
    st->chip.fck = 100;
    st->chip.toutf_hold = 3;
    st->chip.toutf_hold_sync = sync;
    st->chip.tout_nsig = 1;
    for (auto& c : st->ch) c.freq = 10;
    mixer_step(*st);
    EXPECT_EQ(st->ch[0].fsample, sync == 7 ? 100.0 : 25.0) << sync;
    EXPECT_EQ(st->chip.tout_nsig, 1);  // transmit: the user's count stays
  }
}

TEST(MixerStep, PowerDownMappingSkipsChannelsAndReceiveOnlyForcesNsigToZero) {
  auto st = chip_with_modes(R, R);
  st->chip.fck = 100;
  st->chip.pwr_dwn_fir_A = 1;
  st->chip.pwr_dwn_cic_CD = 1;
  st->chip.tout_nsig = 2;
  st->ch[1].freq = 10;
  st->ch[1].cic_dec = 2;
  mixer_step(*st);
  EXPECT_EQ(st->ch[0].powerdown, 1);
  EXPECT_EQ(st->ch[1].powerdown, 0);
  EXPECT_EQ(st->ch[2].powerdown, 1);
  EXPECT_EQ(st->ch[3].powerdown, 1);
  for (int i : {0, 2, 3}) {
    EXPECT_EQ(st->ch[i].freq_msb, kUnset) << i;
    EXPECT_EQ(st->ch[i].fsample, 0.0) << i;
  }
  EXPECT_EQ(st->ch[1].freq_msb, 0x1999);
  EXPECT_EQ(st->console.captured(), "");
  EXPECT_EQ(st->chip.tout_nsig, 0);
  EXPECT_EQ(st->chip.splitiqAB, 0);
  EXPECT_EQ(st->chip.splitiqCD, 0);
}

TEST(MixerStep, DoubleRateReceiveForcesSplitAndPicksInputsByComplexity) {
  auto st = chip_with_modes(R, R);
  st->chip.fck = 80;
  st->chip.rin_rate = 2;
  st->chip.rin_cmplx = 1;
  for (auto& c : st->ch) {
    c.freq = 5;
    c.cic_dec = 4;
  }
  st->ch[3].mix_rcv_sel = 3;  // the user's choice stays
  mixer_step(*st);
  EXPECT_EQ(st->chip.splitiq, 1);
  EXPECT_EQ(st->chip.splitiqAB, 1);
  EXPECT_EQ(st->chip.splitiqCD, 1);
  EXPECT_EQ(st->ch[0].mix_rcv_sel, 0);
  EXPECT_EQ(st->ch[1].mix_rcv_sel, 2);
  EXPECT_EQ(st->ch[2].mix_rcv_sel, 0);
  EXPECT_EQ(st->ch[3].mix_rcv_sel, 3);
  EXPECT_EQ(st->ch[0].fsample, 160.0);
}

TEST(MixerStep, BypassedMixerAndCicGetNeutralSettingsWithWarnings) {
  auto st = chip_with_modes(R, T);
  st->chip.fck = 100;
  st->ch[0].bypass_mix = 1;
  st->ch[0].bypass_cic = 1;
  st->ch[1].bypass_mix = 1;
  st->ch[1].freq_msb = 5;
  st->ch[1].cic_dec = 3;
  st->ch[1].bypass_cic = 1;
  for (int i : {2, 3}) st->ch[i].freq = 1;  // transmit without cic_int
  mixer_step(*st);
  const ChannelSettings& a = st->ch[0];
  EXPECT_EQ(a.freq, 0.0);
  EXPECT_EQ(a.freq_msb, 0);
  EXPECT_EQ(a.freq_lsb, 0);
  EXPECT_EQ(a.phase, 0);
  EXPECT_EQ(a.nco_sync, 7);
  EXPECT_EQ(a.phase_sync, 7);
  EXPECT_EQ(a.cic_dec, 1);
  EXPECT_EQ(st->console.captured(),
            "Warning: freq_msb should be 0 if bypassing mixer\n"
            "Warning: cic_dec should be 1 if bypassing cic\n"
            "Error: Need to set cic_int\n"
            "Error: Need to set cic_int\n");
}

TEST(MixerStep, ClockOfZeroIsOneErrorAndLeavesTheWordsUnset) {
  auto st = chip_with_modes(R, R);
  st->chip.fck = 0;
  for (auto& c : st->ch) {
    c.freq = 10;
    c.cic_dec = 2;
  }
  mixer_step(*st);
  EXPECT_EQ(st->console.captured(),
            "Error: fck must be greater than 0 to compute freq_msb, freq_mid and freq_lsb\n");
  EXPECT_EQ(st->error_flag, 1);
  for (const auto& c : st->ch) EXPECT_EQ(c.freq_msb, kUnset);
}

TEST(MixerInputSelection, SplitDoubleRateTransmitPairFeedsOddChannelCrossed) {
  auto st = chip_with_modes(T, R);
  st->chip.tout_rate = 2;
  st->chip.tout_cmplx = 0;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 0;
  for (auto& c : st->ch) c.powerdown = 0;
  mixer_input_selection(*st);
  const ChannelSettings& a = st->ch[0];
  const ChannelSettings& b = st->ch[1];
  // Transceive: A's Q product comes cross-strapped, B's inputs are off.
  EXPECT_EQ(a.mix_qsin, 2);
  EXPECT_EQ(a.mix_icos, 3);
  EXPECT_EQ(a.mix_inv_qsin, 1);
  EXPECT_EQ(a.mix_qcos, 0);
  EXPECT_EQ(a.mix_isin, 0);
  EXPECT_EQ(b.mix_icos, 0);
  EXPECT_EQ(b.mix_qsin, 0);
  EXPECT_EQ(b.mix_inv_qsin, 1);
  EXPECT_EQ(b.mix_isin, 0);
  EXPECT_EQ(b.mix_rcv_cmplx, 0);  // the per-pair rule fills what is left
}

}  // namespace
}  // namespace cmd7730
