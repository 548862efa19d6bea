// fir_config(): input-rate search, the variables copied from AgenConf, the
// tap budget and the coefficient RAM layout of one channel.
#include "fir/fir_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/early_stop.h"
#include "core/run_state.h"
#include "fir/agenconf.h"
#include "support/test_support.h"

namespace cmd7730 {
namespace {

class FirConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.console.open_memory();
    st.chip.print_flags = output_bit(kDebug) | output_bit(kAnalysis);
    st.out[kDebug].open_memory();
    st.out[kAnalysis].open_memory();
    st.chip.splitiqAB = 1;
    st.chip.splitiqCD = 1;
    st.chip.rin_cmplx = 0;
  }

  // A fresh receive channel (A unless told otherwise): one stream, no
  // decimation by the mixer, CIC count `ncic`.
  ChannelSettings& Receive(int ncoefs, int coefsym, int fir_dec, int ncic, int channel = 0) {
    ChannelSettings& c = st.ch[channel];
    c = ChannelSettings{};
    c.xmt = 0;
    c.bypass_mix = 0;
    c.fir_dec = fir_dec;
    c.fir_int = 1;
    c.fir_diff = 0;
    c.fir_nchan = 1;
    c.ncic = ncic;
    SetCoefs(c, ncoefs, coefsym);
    return c;
  }

  // Channel A in transmit with real input.
  ChannelSettings& Transmit(int ncoefs, int coefsym, int fir_int, int ncic) {
    ChannelSettings& c = Receive(ncoefs, coefsym, 1, ncic);
    c.xmt = 1;
    c.tinf_cmplx = 0;
    c.fir_int = fir_int;
    return c;
  }

  // Coefficients 100, 101, 102, ...; a symmetric set mirrors its first half.
  static void SetCoefs(ChannelSettings& c, int ncoefs, int coefsym) {
    c.ncoefs = ncoefs;
    c.coefsym = coefsym;
    for (int i = 0; i < ncoefs; ++i) {
      const int mirrored = coefsym != 0 && i >= (ncoefs + 1) / 2 ? ncoefs - 1 - i : i;
      c.coefs[i] = 100 + mirrored;
    }
  }

  std::vector<int> Rates(int channel = 0) const {
    std::vector<int> v;
    for (int r : st.ch[channel].possible_inrates) {
      if (r == -1) break;
      v.push_back(r);
    }
    return v;
  }

  template <typename Fn>
  void ExpectStop(Fn fn) {
    EXPECT_EQ(testing::early_stop_status(fn), -1) << "expected the run to stop with status -1";
  }

  bool DebugHas(const std::string& text) const {
    return st.out[kDebug].captured().find(text) != std::string::npos;
  }
  const std::string& console() const { return st.console.captured(); }

  RunState st;
  AgenConf agen;
};

TEST_F(FirConfigTest, ReceiveListsRatesAndLaysOutCells) {
  ChannelSettings& c = Receive(64, 0, 4, 7);
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(c.fir_cmplx, 0);
  EXPECT_EQ(c.fir_sym, 0);
  EXPECT_EQ(c.inrateT, 1);
  EXPECT_EQ(Rates(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L30): fir_config()\n"));
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L84): inrate=Min inrate=1, Max inrate=8\n"));
  EXPECT_TRUE(DebugHas("\nfir_config(): name=SRR11N41, Mininrate=1, Maxinrate=8\n"));
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L287): ncoef=64 Sym=0 hnn=64 hxx=64\n"));
  EXPECT_FALSE(DebugHas("Dorns"));
  EXPECT_EQ(console(), "");

  // ModC 4: each cell holds four consecutive taps, last first.
  EXPECT_EQ(c.coef_modc, 3);
  for (int r = 0; r < 16; ++r) {
    for (int k = 0; k < 16; ++k) {
      const int want = k < 4 ? 100 + 4 * r + 3 - k : 0;
      EXPECT_EQ(c.coefram[16 * r + k], want) << r << "," << k;
    }
  }

  // Receive flags and the no-symmetry endcell words.
  EXPECT_EQ(c.fir_rnd20, 1);
  EXPECT_EQ(c.fir_xeni, 0);
  EXPECT_EQ(c.swap_xmt, 0);
  EXPECT_EQ(c.fir_en_sync_cnt, 1);
  EXPECT_EQ(c.beagen_rbypass, 0xFFFF);
  EXPECT_EQ(c.fwa_strobe, 0x000F);  // D 4: all four slots write
  EXPECT_EQ(c.fir_clk_cnt, 0);
  EXPECT_EQ(c.fir_clk_cnt_en, 1);
  EXPECT_EQ(c.acc_cnt, 3);
  EXPECT_EQ(c.acc_dly, 0);
  EXPECT_EQ(c.acc_dly0, 1);
  EXPECT_EQ(c.acc_enram, 0);
  EXPECT_EQ(c.coef_zerofr, 0);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(c.BERAM[i] & 0x6000, 0x6000) << i;
  EXPECT_EQ(c.SWRAM[0], 3);
  EXPECT_EQ(c.SWRAM[4], 4);
}

TEST_F(FirConfigTest, SymmetricTapsPerPhase) {
  // 63 odd-symmetric taps over two phases: (63 + 1) / 4 = 16 exactly.
  Receive(63, 1, 2, 7);
  fir_config(st, 0, agen);
  EXPECT_FALSE(DebugHas("Dorns"));
  EXPECT_TRUE(DebugHas("inrate=Min inrate=1, Max inrate=8\n"));

  // 62 even-symmetric taps: 62 / 4 = 15 remainder 2, so one more per phase.
  st.out[kDebug].open_memory();
  Receive(62, 2, 2, 7);
  fir_config(st, 0, agen);
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L79): Dorns inrate error hit increasing xx by one\n"));
  EXPECT_TRUE(DebugHas("inrate=Min inrate=1, Max inrate=8\n"));
}

TEST_F(FirConfigTest, TransmitPicksTheLowestRateHoldingAllTaps) {
  ChannelSettings& c = Transmit(40, 0, 2, 7);
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(c.inrateT, 4);
  EXPECT_EQ(Rates(), (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16}));
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L133): Possible setting inrate=2 ntaps allowed=32\n"));
  EXPECT_TRUE(DebugHas("Possible setting inrate=16 ntaps allowed=256\n"));
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L146): I set inrateT to 4\n"));
  EXPECT_TRUE(DebugHas("fir_config(): name=SRR14N12, Mininrate=4, Maxinrate=16\n"));
  EXPECT_EQ(console(), "");
  EXPECT_EQ(c.fir_rnd20, 0);
  EXPECT_EQ(c.fir_xeni, 1);
  EXPECT_EQ(c.fir_xenq, 0);
  EXPECT_EQ(c.swap_xmt, 1);

  // Polyphase, ModC 4 and two phases: cell r holds 4r+3, 4r+1, 4r+2, 4r.
  ASSERT_EQ(agen.ModC, 4);
  for (int r = 0; r < 10; ++r) {
    const int base = 100 + 4 * r;
    EXPECT_EQ(c.coefram[16 * r + 0], base + 3) << r;
    EXPECT_EQ(c.coefram[16 * r + 1], base + 1) << r;
    EXPECT_EQ(c.coefram[16 * r + 2], base + 2) << r;
    EXPECT_EQ(c.coefram[16 * r + 3], base) << r;
  }
  EXPECT_EQ(c.coefram[16 * 10], 0);  // taps 40.. are zero
}

TEST_F(FirConfigTest, TransmitWithoutARateThatHoldsTheTapsStops) {
  Transmit(300, 0, 1, 7);
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_EQ(console(),
            "Error: Trouble setting up pfir\n"
            "Error: Maximum number of taps for this config 128\n"
            " diff=0 data=1 coef=1 nchan=1 inrate=-1 Sym=0 deci=1 interp=1\n"
            "Error: Invalid Filter name 4 (1-w) Input Rate!\n");
  EXPECT_EQ(st.ch[0].inrateT, -1);
}

TEST_F(FirConfigTest, OddSymmetryStoresTheFirstHalfAtTheTopOfTheTaps) {
  ChannelSettings& c = Receive(7, 1, 1, 3);
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  ASSERT_EQ(agen.ModC, 1);
  EXPECT_TRUE(DebugHas("ncoef=7 Sym=1 hnn=4 hxx=16\n"));
  for (int i = 0; i < 256; ++i) {
    int want = 0;
    if (i == 192) want = 100;
    if (i == 208) want = 101;
    if (i == 224) want = 102;
    if (i == 240) want = 103;
    EXPECT_EQ(c.coefram[i], want) << i;
  }
  EXPECT_EQ(c.coef_sym, 1);
  EXPECT_EQ(c.BERAM[0] & 0x6000, 0x2000);  // block flags come from the tables
}

// One slot and one phase: the filter feeds its output straight back.  The
// zero-feedback flag reaches the channel like every address-generator result,
// only where the control file left it unset.
TEST_F(FirConfigTest, SingleSlotFilterSetsZeroFeedback) {
  ChannelSettings& c = Receive(16, 0, 1, 7);
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(agen.Name(), "SRR11N11");
  EXPECT_EQ(c.coef_zerofr, 1);
  EXPECT_EQ(c.swap_fb, 1);
  EXPECT_EQ(c.fir_fb, 1);

  ChannelSettings& user = Receive(16, 0, 1, 7);
  user.coef_zerofr = 0;
  user.agen_depd = 5;
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(user.coef_zerofr, 0);
  EXPECT_EQ(user.agen_depd, 5);
  EXPECT_EQ(user.swap_fb, 1);
}

TEST_F(FirConfigTest, UserOffsetPushingCellsPastTheRamStops) {
  ChannelSettings& c = Receive(20, 0, 9, 3);  // ModC 9
  c.coef_ofsc = 8;
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_EQ(agen.ModC, 9);
  EXPECT_EQ(console(), "Error: coefram[] writing out of boundaries, check coef_ofsc\n");
  // Cell 0 (taps 8..0) landed eight words up, over the start of cell 1's slot.
  EXPECT_EQ(c.coefram[8], 108);
  EXPECT_EQ(c.coefram[16], 100);
}

TEST_F(FirConfigTest, UserDataTypeChangesEveryLaterStep) {
  ChannelSettings& c = Receive(32, 0, 1, 7);
  c.fir_cmplx = 1;  // complex data although split I/Q would make it real
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(c.inrateT, 4);
  EXPECT_EQ(Rates(), (std::vector<int>{2, 4, 6, 8}));
  EXPECT_EQ(agen.Name(), "SCR14N11");
  EXPECT_EQ(c.swap_cmplx, 1);
  EXPECT_EQ(c.acc_dly, 1);
  EXPECT_EQ(c.acc_cnt, 1);
  EXPECT_EQ(c.acc_bypass, 0);
  EXPECT_EQ(c.acc_enram, 1);
}

TEST_F(FirConfigTest, UserAccumulatorCountDrivesTheAccumulatorFlags) {
  ChannelSettings& c = Receive(32, 0, 1, 7);
  c.fir_cmplx = 1;
  c.acc_cnt = 0;
  ASSERT_EQ(fir_config(st, 0, agen), 1);
  EXPECT_EQ(c.acc_cnt, 0);
  EXPECT_EQ(c.acc_bypass, 1);
  EXPECT_EQ(c.acc_enram, 0);
}

TEST_F(FirConfigTest, SplitIqFollowsThePairAndTheMixerBypass) {
  st.chip.splitiqCD = 0;
  ChannelSettings& c = Receive(32, 0, 1, 7, 2);
  EXPECT_EQ(fir_config(st, 2, agen), 1);
  EXPECT_EQ(c.fir_cmplx, 1);  // pair CD not split: complex
  EXPECT_EQ(agen.Name(), "SCR14N11");

  ChannelSettings& d = Receive(32, 0, 1, 7, 3);
  d.bypass_mix = 1;  // real input through a bypassed mixer stays real
  EXPECT_EQ(fir_config(st, 3, agen), 1);
  EXPECT_EQ(d.fir_cmplx, 0);
  EXPECT_EQ(agen.Name(), "SRR12N11");

  // Pair AB is split: each filter of the pair gets real data.
  ChannelSettings& b = Receive(32, 0, 1, 7, 1);
  fir_config(st, 1, agen);
  EXPECT_EQ(b.fir_cmplx, 0);
}

TEST_F(FirConfigTest, RefusedCaseLeavesTheLayoutAlone) {
  ChannelSettings& c = Receive(16, 0, 1, 7);
  c.fir_diff = 1;  // different coefficients for a single stream
  EXPECT_EQ(fir_config(st, 0, agen), 0);
  EXPECT_EQ(agen.Reason(), "different coefs and only one channel!");
  EXPECT_EQ(c.coef_modc, -1);
  EXPECT_EQ(c.fir_en_sync_cnt, -1);
  EXPECT_FALSE(DebugHas("fir_config(): name="));
}

TEST_F(FirConfigTest, SeveralStreamsAreConfiguredButNotLaidOut) {
  ChannelSettings& c = Receive(32, 0, 1, 7);
  c.fir_nchan = 2;
  EXPECT_EQ(fir_config(st, 0, agen), -1);
  EXPECT_EQ(agen.Name(), "SRR22N11");
  EXPECT_EQ(Rates(), (std::vector<int>{2, 4, 6, 8}));
  EXPECT_NE(console().find("Error: Can not handle multiple channels in a single fir yet.\n"),
            std::string::npos);
  EXPECT_EQ(c.coef_modc, 0);
  for (int w : c.coefram) EXPECT_EQ(w, 0);
}

TEST_F(FirConfigTest, MoreTapsThanTheCellsHold) {
  // Decimating the transmit input by three truncates the rate: 60 taps are
  // allowed for, but ModC 3 gives the cells room for 48.
  ChannelSettings& c = Transmit(60, 0, 1, 7);
  c.fir_dec = 3;
  EXPECT_EQ(fir_config(st, 0, agen), -1);
  EXPECT_EQ(agen.Name(), "SRR11N31");
  EXPECT_EQ(console(),
            "Error: More taps defined than are computationally available.\n\n"
            " Sym=NONEMaximum taps = 48");
  EXPECT_NE(st.out[kAnalysis].captured().find(
                "Error(.\\firconfig L270): More taps defined than are computationally available."
                "\n\n Sym=NONEMaximum taps = 48"),
            std::string::npos);
}

TEST_F(FirConfigTest, ZeroInterpolationRunsTheSearchBeforeTheRangeStop) {
  // Nothing in the search divides by fir_int, so its messages come first.
  Transmit(16, 0, 0, 7);
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_EQ(console(),
            "Error: Trouble setting up pfir\n"
            "Error: Maximum number of taps for this config 0\n"
            " diff=0 data=1 coef=1 nchan=1 inrate=-1 Sym=0 deci=1 interp=0\n"
            "Error: Invalid Filter name 7 (1-g) interpolation!\n");
  EXPECT_TRUE(DebugHas("Debug(.\\firconfig L146): I set inrateT to -1\n"));
}

TEST_F(FirConfigTest, ZeroOrUnsetDivisorsStopWithTheRangeError) {
  Receive(16, 0, 0, 7);
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_EQ(console(),
            " diff=0 data=1 coef=1 nchan=1 inrate=-1 Sym=0 deci=0 interp=1\n"
            "Error: Invalid Filter name 6 (1-g) decimation!\n");

  st.console.open_memory();
  ChannelSettings& c = Receive(16, 0, 1, 7);
  c.fir_nchan = 0;
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_NE(console().find("Error: Invalid Filter name 3 Number of channels!\n"),
            std::string::npos);

  // Transmit input type never set: no data width to divide by.
  st.console.open_memory();
  ChannelSettings& t = Transmit(16, 0, 1, 7);
  t.tinf_cmplx = -1;
  t.fir_cmplx = -1;
  t.fir_sym = -1;
  ExpectStop([&] { fir_config(st, 0, agen); });
  EXPECT_NE(console().find("Error: Invalid Filter name 1 Real/Complex data!\n"), std::string::npos);
}

}  // namespace
}  // namespace cmd7730
