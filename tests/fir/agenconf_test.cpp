// AgenConf: case-code spelling, the range test, the case checks with their
// catalogue reports, and the tables and address-generator settings of worked
// filter cases.
#include "fir/agenconf.h"

#include <gtest/gtest.h>

#include <string>

#include "core/early_stop.h"
#include "core/run_state.h"
#include "fir/fircases.h"
#include "support/test_support.h"

namespace cmd7730 {
namespace {

class AgenConfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.console.open_memory();
    st.chip.print_flags = output_bit(kDebug) | output_bit(kAnalysis);
    st.out[kDebug].open_memory();
    st.out[kAnalysis].open_memory();
    agen.Reset();
  }

  // Names, checks and lays out one case; returns what ValidCase said.
  bool Configure(int diff, int data, int coef, int nchan, int inrate, int sym, int deci,
                 int interp) {
    agen.SetName(st, diff, data, coef, nchan, inrate, sym, deci, interp);
    const bool valid = agen.ValidCase(st);
    if (valid) {
      agen.SetTables(st);
      agen.SetControl(st);
    }
    return valid;
  }

  // Runs `fn`, expecting it to end the run with status -1.
  template <typename Fn>
  void ExpectStop(Fn fn) {
    EXPECT_EQ(testing::early_stop_status(fn), -1) << "expected the run to stop with status -1";
  }

  const std::string& console() const { return st.console.captured(); }
  const std::string& debug() const { return st.out[kDebug].captured(); }

  RunState st;
  AgenConf agen;
};

TEST_F(AgenConfTest, SpellsCaseCodes) {
  // Complex data over two streams leaves the accumulator empty, so the run
  // stops, but only after the code is spelled and reported.
  ExpectStop([&] { agen.SetName(st, 0, 2, 1, 2, 2, 2, 1, 1); });
  EXPECT_EQ(agen.Name(), "SCR22E11");
  EXPECT_NE(debug().find("Debug(.\\agenconf L133): Filter Name: SCR22E11\n"), std::string::npos);
  EXPECT_NE(console().find("Accumulator is not set properly: ACnt=0,Adly=4"), std::string::npos);

  agen.SetName(st, 0, 1, 1, 1, 32, 0, 16, 1);
  EXPECT_EQ(agen.Name(), "SRR1wNg1");
  agen.SetName(st, 0, 1, 1, 1, 10, 0, 1, 1);
  EXPECT_EQ(agen.Name(), "SRR1aN11");
  agen.SetName(st, 1, 2, 1, 1, 32, 1, 1, 16);
  EXPECT_EQ(agen.Name(), "DCR1wO1g");
}

TEST_F(AgenConfTest, OutOfRangeParameterStopsNamingTheLastBadField) {
  ExpectStop([&] { agen.SetName(st, 0, 1, 1, 1, 33, 0, 1, 1); });
  EXPECT_EQ(console(),
            " diff=0 data=1 coef=1 nchan=1 inrate=33 Sym=0 deci=1 interp=1\n"
            "Error: Invalid Filter name 4 (1-w) Input Rate!\n");
  EXPECT_EQ(st.error_flag, 1);

  st.console.open_memory();
  ExpectStop([&] { agen.SetName(st, 0, 1, 1, 0, 4, 0, 0, 1); });
  EXPECT_NE(console().find("Error: Invalid Filter name 6 (1-g) decimation!\n"), std::string::npos);

  st.console.open_memory();
  ExpectStop([&] { agen.SetName(st, 0, 3, 1, 1, 4, 0, 1, 1); });
  EXPECT_NE(console().find("Invalid Filter name 1 Real/Complex data!"), std::string::npos);
}

TEST_F(AgenConfTest, EmptyAccumulatorStops) {
  // Two clocks per output cannot hold four streams.
  ExpectStop([&] { agen.SetName(st, 0, 1, 1, 4, 2, 0, 1, 1); });
  EXPECT_NE(console().find("Error: Accumulator is not set properly: ACnt=0,Adly=4\n"),
            std::string::npos);
}

TEST_F(AgenConfTest, FailingCatalogueEntryIsReportedButTheCaseStands) {
  EXPECT_TRUE(Configure(0, 1, 1, 2, 3, 1, 4, 1));
  EXPECT_EQ(agen.Name(), "SRR23O41");
  EXPECT_EQ(agen.N, 2);
  EXPECT_EQ(agen.D, 12);
  EXPECT_EQ(agen.ModC, 6);
  EXPECT_EQ(agen.ACnt, 6);
  EXPECT_EQ(agen.Adly, 2);
  EXPECT_EQ(agen.Reason(), "");
  EXPECT_EQ(console(), "Error: Filter configuration SRR23O41 Tested with firctrl and Fails!\n");
  EXPECT_EQ(debug().find("Tested and Passes"), std::string::npos);
  EXPECT_EQ(st.error_flag, 1);
}

TEST_F(AgenConfTest, PassingAndUntriedCodes) {
  EXPECT_TRUE(Configure(0, 1, 1, 1, 4, 0, 4, 1));
  EXPECT_NE(debug().find("Debug(.\\agenconf L338): ValidCase():SRR14N41 Tested and Passes!\n"),
            std::string::npos);
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st.error_flag, 0);

  // Five streams were never tried, but the checks accept the case.
  EXPECT_TRUE(Configure(0, 1, 1, 5, 5, 0, 1, 1));
  EXPECT_EQ(console(), "Error: Untried filter configuration: SRR55N11!\n");
  EXPECT_NE(st.out[kAnalysis].captured().find(
                "Error(.\\agenconf L343): Untried filter configuration: SRR55N11!\n"),
            std::string::npos);
}

TEST_F(AgenConfTest, RejectionReasons) {
  struct Case {
    int diff, data, coef, nchan, inrate, sym, deci, interp;
    const char* reason;
  };
  const Case cases[] = {
      {0, 1, 1, 1, 4, 0, 2, 2, "Current filter does not support, deci!=1&&interp!=1!"},
      {0, 1, 1, 1, 4, 1, 1, 3, "Symmetry cannot be odd beyond interpolate by 2!"},
      {0, 1, 1, 1, 4, 2, 1, 2, "Symmetry cannot be even with interpolation!"},
      {1, 1, 1, 1, 4, 0, 1, 1, "different coefs and only one channel!"},
      // ModC 17 replaces "ModC out of range" once the load and depth fit.
      {0, 1, 2, 1, 17, 0, 1, 1, "ran out of coef RAM"},
      {0, 1, 1, 2, 1, 0, 2, 1, "input data rate too fast!"},
      {0, 1, 1, 1, 3, 0, 1, 2, "Calculation of D must have no remainder!"},
      {0, 1, 1, 3, 4, 1, 3, 1, "extracase"},
  };
  for (const Case& c : cases) {
    agen.Reset();
    EXPECT_FALSE(Configure(c.diff, c.data, c.coef, c.nchan, c.inrate, c.sym, c.deci, c.interp))
        << c.reason;
    EXPECT_EQ(agen.Reason(), c.reason);
  }
  // Odd symmetry with interpolation by two is fine.
  EXPECT_TRUE(Configure(0, 1, 1, 1, 2, 1, 1, 2));
}

TEST_F(AgenConfTest, DecimateByFourSingleStream) {
  ASSERT_TRUE(Configure(0, 1, 1, 1, 4, 0, 4, 1));
  const AgenConf& a = agen;
  EXPECT_EQ(a.FwaStrobe(), 0xF000);
  EXPECT_EQ(a.BwaStrobe(), 0);
  EXPECT_EQ(a.BeReadBypassPacked(), 0xFFFF);
  EXPECT_EQ(a.SwapCnt, 3);
  const int sw[16] = {3, 2, 1, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(a.SW_Table(i), sw[i]) << i;
    // Write addresses i in both nibbles, read address i, first block flag.
    EXPECT_EQ(a.BeramWord(st, i), 0x2000 | i << 9 | i << 4 | i) << i;
  }
  EXPECT_EQ(a.BeramWord(st, 1), 0x2211);
  EXPECT_EQ(a.BeramWord(st, 15), 0x3EFF);
  EXPECT_EQ(a.ModD, 16);
  EXPECT_EQ(a.control.agen_modd, 0);
  EXPECT_EQ(a.control.agen_depd, 15);
  EXPECT_EQ(a.control.fragen_stepn, 4);
  EXPECT_EQ(a.control.fwagen_sdepd, 12);
  EXPECT_EQ(a.control.bwagen_sdepd, 4);
  EXPECT_EQ(a.control.bwagen_soff, 12);
  EXPECT_EQ(a.control.bragen_stepn, 12);
  EXPECT_EQ(a.control.beragen_stepn, 12);
  EXPECT_EQ(a.control.bewagen_sdepd, 15);
  EXPECT_EQ(a.control.bewagen_soff, 0);
  EXPECT_EQ(a.SyncCnt, 255);
  EXPECT_EQ(a.GetFirClkCnt(st), 3);
}

TEST_F(AgenConfTest, TwoStreamsEvenSymmetry) {
  ASSERT_TRUE(Configure(0, 1, 1, 2, 2, 2, 1, 1));
  const AgenConf& a = agen;
  EXPECT_EQ(a.N, 2);
  EXPECT_EQ(a.D, 2);
  EXPECT_EQ(a.FwaStrobe(), 3);
  EXPECT_EQ(a.BwaStrobe(), 3);
  EXPECT_EQ(a.BeReadBypassPacked(), 0);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(a.BWAe_Table(i), i % 2) << i;
    EXPECT_EQ(a.BWAe_Table(16 + i), i % 2) << i;
    EXPECT_EQ(a.BBLKe_Table(i), 0);
    EXPECT_EQ(a.BBLKe_Table(16 + i), 0);
  }
  EXPECT_EQ(a.control.beragen_stepn, 2);
  EXPECT_EQ(a.control.fragen_stepn, 0);  // a step of the whole depth
  EXPECT_EQ(a.BewDepd, 0);
  EXPECT_EQ(a.SyncCnt, 63);
}

TEST_F(AgenConfTest, OnlyOneOddInterpolatingCaseClearsTheEndcellWriteRecirculation) {
  ASSERT_TRUE(Configure(0, 1, 1, 1, 2, 1, 1, 2));
  EXPECT_EQ(agen.Name(), "SRR12O12");
  EXPECT_EQ(agen.control.bewagen_wrecrl, 0);
  EXPECT_EQ(agen.control.fwagen_wrecrl, 1);

  ASSERT_TRUE(Configure(0, 1, 1, 1, 4, 1, 1, 2));
  EXPECT_EQ(agen.control.bewagen_wrecrl, 1);
  ASSERT_TRUE(Configure(0, 1, 1, 1, 4, 0, 1, 2));
  EXPECT_EQ(agen.control.bewagen_wrecrl, 1);
}

TEST_F(AgenConfTest, WideDecimationSwapsReadAndWriteAddresses) {
  ASSERT_TRUE(Configure(0, 1, 1, 3, 3, 2, 3, 1));
  const AgenConf& a = agen;
  ASSERT_EQ(a.D, 9);
  const int bra[16] = {6, 7, 8, 3, 4, 5, 0, 1, 2, 9, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(a.BRAe_Table(i), bra[i]) << i;
    EXPECT_EQ(a.BWAe_Table(i), bra[i]) << i;
    EXPECT_EQ(a.BWAe_Table(16 + i), i) << i;
  }
  EXPECT_EQ(a.TogEn, 1);
  EXPECT_EQ(a.BewDepd, 0);
  EXPECT_EQ(a.control.agen_togen, 1);
  EXPECT_EQ(a.control.bewagen_sdepd, 0);
  // Nine words per output go out in reverse group order.
  const int sw[9] = {6, 7, 8, 3, 4, 5, 0, 1, 2};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(a.SW_Table(i), sw[i]) << i;
  EXPECT_EQ(a.SW_Table(9), 9);
}

TEST_F(AgenConfTest, TableStoreOutsideItsBoundsStops) {
  // Complex by complex is refused by the checks; forced through, it needs
  // two write strobes before slot 0.
  agen.SetName(st, 0, 2, 2, 1, 2, 0, 1, 1);
  ExpectStop([&] { agen.SetTables(st); });
  EXPECT_EQ(console(), "Error: Trying to Write FWAs_Table outside of array boundaries!\n");
}

TEST_F(AgenConfTest, OutOfOrderCallsDoNotDivideByZero) {
  ExpectStop([&] { agen.SetControl(st); });
  EXPECT_EQ(console(), "Error: Must SetName() before SetControl()\n");
  EXPECT_FALSE(agen.ValidCase(st));
  EXPECT_EQ(agen.BeramWord(st, 16), -1);
  EXPECT_NE(console().find("Error: (AgenConf): Trying to Read BERAM outside of boundaries!\n"),
            std::string::npos);
}

// Every configuration in the catalogue was run on the hardware, so each must
// pass the case checks and lay out its tables without a stop.
TEST_F(AgenConfTest, EveryCatalogueCaseIsAcceptedAndLaysOut) {
  constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvw";
  for (const FirCase& f : fir_cases()) {
    const std::string_view c = f.code;
    RunState run;
    AgenConf agen;
    run.console.open_memory();
    try {
      agen.Reset();
      agen.SetName(run, c[0] == 'D', c[1] == 'C' ? 2 : 1, c[2] == 'C' ? 2 : 1,
                   int(kDigits.find(c[3])), int(kDigits.find(c[4])),
                   int(std::string_view("NOE").find(c[5])), int(kDigits.find(c[6])),
                   int(kDigits.find(c[7])));
      EXPECT_EQ(agen.Name(), c);
      ASSERT_TRUE(agen.ValidCase(run)) << c << ": " << agen.Reason();
      agen.SetTables(run);
      agen.SetControl(run);
    } catch (const EarlyStop&) {
      ADD_FAILURE() << c << " stopped: " << run.console.captured();
    }
  }
}

}  // namespace
}  // namespace cmd7730
