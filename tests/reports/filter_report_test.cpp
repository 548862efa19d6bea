// The per-channel filter report: which channels get one, the 16-bit and
// clock checks, the symmetry wording and the configuration table.
#include "reports/filter_report.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/analysis_fixture.h"

namespace cmd7730 {
namespace {

using testing::AnalysisTest;
using testing::lines_of;
using testing::receive_channel;
using testing::transmit_channel;

using FilterReportTest = AnalysisTest;

TEST_F(FilterReportTest, OnlyChannelsThatReadACoefficientFileAreReported) {
  receive_channel(*st, 0);
  st->ch[0].coef_loaded = false;  // coefficients came by copy_channel
  st->ch[0].maxtap = 70000;
  filter_report(*st, 0);
  EXPECT_EQ(analysis(), "");
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->interp.failure, 0);
}

TEST_F(FilterReportTest, CoefficientsBeyondSixteenBitsFailTheOverridePass) {
  receive_channel(*st, 1);
  st->ch[1].maxtap = -32768;
  filter_report(*st, 1);
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->interp.failure, 0);

  st->ch[1].maxtap = 32768;
  filter_report(*st, 1);
  EXPECT_EQ(console(), "Coefs exceeds 16 bits\n");
  EXPECT_EQ(st->interp.failure, 1);
  EXPECT_EQ(st->error_flag, 1);

  st->out[kAnalysis].open_memory();
  st->ch[1].maxtap = INT_MIN;
  filter_report(*st, 1);
  EXPECT_NE(analysis().find("Max coefficient 2147483648\n"), std::string::npos) << analysis();
}

TEST_F(FilterReportTest, ChipClockBelowTheFirMinimumIsAnError) {
  receive_channel(*st, 2);
  st->chip.fck = 50.0;
  st->ch[2].fir_clk_cnt = 200;
  st->ch[2].ncic = 400;
  filter_report(*st, 2);
  const std::vector<std::string> lines = lines_of(analysis());
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Channel 2 has a minimum clock rate of 60.30000 MHz");
  EXPECT_EQ(lines[2],
            "Error(.\\cmdin L418): chip clock rate of 50.00000 lower than minimum of 60.30000!");
  EXPECT_EQ(console(), "Error: chip clock rate of 50.00000 lower than minimum of 60.30000!\n");
  EXPECT_EQ(st->error_flag, 1);

  // Exactly at the minimum is fast enough.
  st->console.open_memory();
  st->chip.fck = 60.3;
  filter_report(*st, 2);
  EXPECT_EQ(console(), "");
}

TEST_F(FilterReportTest, SymmetricColumnFollowsDirectionAndInterpolation) {
  struct Case {
    int xmt, fir_int, coefsym;
    bool column;
  };
  const Case cases[] = {
      {0, 3, 2, true},  {0, 1, 0, false}, {1, 3, 1, false},
      {1, 2, 2, false}, {1, 2, 1, true},  {1, 1, 2, true},
  };
  for (const Case& k : cases) {
    st->out[kAnalysis].open_memory();
    receive_channel(*st, 0);
    ChannelSettings& ch = st->ch[0];
    ch.xmt = k.xmt;
    ch.fir_int = k.fir_int;
    ch.coefsym = k.coefsym;
    filter_report(*st, 0);
    const std::string header = k.column
                                   ? "Duty    Pwr(mW)  Taps(no sym) Taps (w/ sym)    (Power is "
                                     "for a single FIR row)\n"
                                   : "Duty    Pwr(mW)  Taps(no sym)     (Power is for a "
                                     "single FIR row)\n";
    EXPECT_NE(analysis().find(header), std::string::npos)
        << k.xmt << " " << k.fir_int << " " << k.coefsym;
  }
}

TEST_F(FilterReportTest, EvenSymmetryDoublesTheTapsAndMarksTheSymmetricColumn) {
  receive_channel(*st, 0);
  ChannelSettings& ch = st->ch[0];
  ch.coefsym = 2;
  ch.fir_sym = 2;
  ch.coef_sym = 1;
  ch.fir_cmplx = 1;
  ch.inrateT = 2;
  ch.possible_inrates = {2, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  filter_report(*st, 0);
  const std::vector<std::string> lines = lines_of(analysis());
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[4], "Coefficient symmetry is even. Hardware exploits symmetry.");
  // base = 4 * 1 * u * 16 / 1 / 2 / 1
  EXPECT_EQ(lines[7], "0.250   22.5     64           128 X     ");
  EXPECT_EQ(lines[8], "0.500   45.0    128           256       ");
}

TEST_F(FilterReportTest, SymmetrySentenceWhenHardwareDoesNotFold) {
  transmit_channel(*st, 0);
  ChannelSettings& ch = st->ch[0];
  ch.fir_int = 4;
  ch.fir_sym = 0;
  ch.coef_sym = 0;
  filter_report(*st, 0);
  const std::vector<std::string> lines = lines_of(analysis());
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[4], "Coefficient symmetry is odd. Hardware does not exploit symmetry.");
  // duty = 2 / 5 / 4; the rate-2 row is in use without symmetry.
  EXPECT_EQ(lines[7], "0.100    9.0     16 X     ");
}

TEST_F(FilterReportTest, ZeroDivisorIsReportedInsteadOfRows) {
  struct Case {
    void (*set)(ChannelSettings&);
    const char* line;
  };
  const Case cases[] = {
      {[](ChannelSettings& c) { c.fir_nchan = 0; },
       "Configurations can not be listed: fir_nchan is 0"},
      {[](ChannelSettings& c) { c.fir_int = 0; }, "Configurations can not be listed: fir_int is 0"},
      {[](ChannelSettings& c) { c.fir_cmplx = kUnset; },
       "Configurations can not be listed: fir_cmplx is unset"},
      {[](ChannelSettings& c) { c.ncic = kUnset; },
       "Configurations can not be listed: ncic is unset"},
  };
  for (const Case& k : cases) {
    st->out[kAnalysis].open_memory();
    receive_channel(*st, 0);
    k.set(st->ch[0]);
    filter_report(*st, 0);
    EXPECT_EQ(lines_of(analysis()).back(), k.line);
  }
  // Without candidate rates there is nothing to divide.
  st->out[kAnalysis].open_memory();
  st->ch[0].possible_inrates.fill(-1);
  filter_report(*st, 0);
  EXPECT_EQ(lines_of(analysis()).back(),
            "Duty    Pwr(mW)  Taps(no sym)     (Power is for a single FIR row)");
}

}  // namespace
}  // namespace cmd7730
